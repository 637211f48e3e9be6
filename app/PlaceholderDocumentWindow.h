#pragma once

#include <QMainWindow>

class QPlainTextEdit;

// Stands in for the document window until it exists: shows a document's modules and events as
// the outline will, read only, and serves as the application's main window.
class PlaceholderDocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PlaceholderDocumentWindow(QWidget *parent = nullptr);

    // False, with the window left as it was, when the file cannot be read as a document.
    bool openDocument(const QString &path, QString *error);
    QString filePath() const { return path; }

private:
    QPlainTextEdit *outline;
    QString path;
};
