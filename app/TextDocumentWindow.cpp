#include "app/TextDocumentWindow.h"

#include "platform/qt/SharedPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPageSetupDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

TextDocumentWindow::TextDocumentWindow(const QString &title, QWidget *parent)
    : QMainWindow(parent), eventsView(new QPlainTextEdit(this))
{
    setWindowTitle(title);
    // The listing lines its columns up with blanks: it needs a fixed-pitch font.
    eventsView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    eventsView->setReadOnly(true);
    eventsView->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(eventsView);
    resize(560, 420);
}

void TextDocumentWindow::setListingText(const QString &text)
{
    eventsView->setPlainText(text);
}

QString TextDocumentWindow::listingText() const
{
    return eventsView->toPlainText();
}

void TextDocumentWindow::scrollToEnd()
{
    eventsView->moveCursor(QTextCursor::End);
    eventsView->ensureCursorVisible();
}

void TextDocumentWindow::saveDocumentAs()
{
    auto *panel = new QFileDialog(this, tr("Save"), QDir::homePath() + "/" + windowTitle());
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setWindowModality(Qt::WindowModal);
    connect(panel, &QFileDialog::fileSelected, this, [this](const QString &path) {
        // The listing is ASCII. A failed write is not reported: the listing stays on screen to be
        // saved again.
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
            file.write(listingText().toUtf8());
    });
    panel->open();
}

void TextDocumentWindow::printDocument()
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

void TextDocumentWindow::runPageLayout()
{
    auto *dialog = new QPageSetupDialog(&sharedPrinter(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
