#include "app/EventListingWindow.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

QPrinter &sharedPrinter()
{
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

EventListingWindow::EventListingWindow(QWidget *parent) : QMainWindow(parent), eventsView(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Events From CP290"));
    setObjectName(QStringLiteral("eventsWindow"));
    // The listing lines its columns up with blanks: it needs a fixed-pitch font.
    eventsView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    eventsView->setReadOnly(true);
    eventsView->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(eventsView);
    resize(560, 420);
}

void EventListingWindow::setListingText(const QString &text)
{
    eventsView->setPlainText(text);
}

QString EventListingWindow::listingText() const
{
    return eventsView->toPlainText();
}

void EventListingWindow::saveDocumentAs()
{
    auto *panel = new QFileDialog(this, tr("Save"), QDir::homePath() + "/" + windowTitle());
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    connect(panel, &QFileDialog::fileSelected, this, [this](const QString &path) {
        // The listing is ASCII; the result of the write is not reported, as for the original.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            file.write(listingText().toUtf8());
    });
    panel->open();
}

void EventListingWindow::printDocument()
{
    QPrinter &printer = sharedPrinter();
    auto *dialog = new QPrintDialog(&printer, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, &printer] {
        // Fitted to the page width, not centred.
        QTextDocument document;
        document.setDefaultFont(eventsView->font());
        document.setPlainText(listingText());
        document.print(&printer);
    });
    dialog->open();
}

void EventListingWindow::runPageLayout()
{
    auto *dialog = new QPageSetupDialog(&sharedPrinter(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
