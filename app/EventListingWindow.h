#pragma once

#include <QMainWindow>

class QPlainTextEdit;
class QPrinter;

// "Events From CP290": the listing of the records stored in the CP290, as plain text that can be
// saved, printed and laid out on pages.
class EventListingWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EventListingWindow(QWidget *parent = nullptr);

    void setListingText(const QString &text);
    QString listingText() const;

    void saveDocumentAs();
    void printDocument();
    void runPageLayout();

private:
    QPlainTextEdit *eventsView;
};

// The printer the listing and the other text windows share, as the shared print information.
QPrinter &sharedPrinter();
