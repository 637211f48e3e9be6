#pragma once

#include <QMainWindow>
#include <QMap>

class QTextBrowser;

// The application's resources (help book, disclaimer) live in a static library: register them.
void initApplicationResources();

// The help book: HTML pages in the application's resources, opened at the anchor named by the
// title of the control that asks for help.
class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget *parent = nullptr);

    void showHelpAnchor(const QString &anchor);
    // The page of the book that holds an anchor, or the book's first page.
    QString pageForAnchor(const QString &anchor) const;
    QTextBrowser *browser() const { return pages; }
    QStringList anchorNames() const { return anchors.keys(); }
    bool hasAnchor(const QString &anchor) const { return anchors.contains(anchor); }

private:
    QTextBrowser *pages;
    QMap<QString, QString> anchors;  // anchor name to page
};
