#include "platform/qt/AlertSheets.h"

#include "platform/Alerts.h"
#include "platform/qt/ContextHelp.h"

#include <QMessageBox>

AlertSheets::AlertSheets(MainWindowLookup lookup, QObject *parent) : QObject(parent), mainWindow(std::move(lookup))
{
}

AlertSheets::~AlertSheets()
{
    setAlertPresenter({});
    waiting.clear();
    if (current) {
        current->disconnect(this);
        current->close();  // and deleted, as made for this showing
    }
}

void AlertSheets::installAsAlertPresenter()
{
    setAlertPresenter([this](const Alert &alert) {
        beginAlertSheet(QString::fromStdString(alert.title), QString::fromStdString(alert.message));
    });
}

void AlertSheets::beginAlertSheet(const QString &title, const QString &message, std::function<void()> didEnd)
{
    waiting.push_back({title, message, std::move(didEnd)});
    if (!current)
        showNext();
}

void AlertSheets::showNext()
{
    if (waiting.empty())
        return;
    Request request = std::move(waiting.front());
    waiting.pop_front();

    auto *box = new QMessageBox(mainWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(QMessageBox::Information);
    // Wide enough that a sentence of the message does not break into a column of words.
    box->setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label, QLabel#qt_msgbox_informativelabel { min-width: 22em; }"));
    box->setWindowTitle(request.title);
    setHelpAnchor(box, request.title);
    box->setText(request.title);
    box->setInformativeText(request.message);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(box->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    current = box;
    connect(box, &QMessageBox::finished, this, [this, didEnd = std::move(request.didEnd)] {
        current = nullptr;
        if (didEnd)
            didEnd();
        showNext();
    });
    box->open();
}
