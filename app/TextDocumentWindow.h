#pragma once

#include "platform/qt/WindowCommands.h"

#include <QMainWindow>

class QPlainTextEdit;
class QPrinter;

// A window of plain text that can be saved, printed and laid out on pages: "Events From CP290",
// the listing of the records stored in the CP290, and the helper's log.
class TextDocumentWindow : public QMainWindow, public WindowCommands {
    Q_OBJECT
public:
    explicit TextDocumentWindow(const QString &title, QWidget *parent = nullptr);

    void setListingText(const QString &text);
    QString listingText() const;
    void scrollToEnd();

    // Saving asks for a file name each time: a listing is a snapshot, never a document kept open.
    void saveDocument() override { saveDocumentAs(); }
    void saveDocumentAs() override;
    void printDocument() override;
    void runPageLayout() override;

private:
    QPlainTextEdit *eventsView;
};
