#include "app/PlaceholderDocumentWindow.h"

#include "document/DocumentFile.h"
#include "document/OutlineText.h"

#include <QFileInfo>
#include <QPlainTextEdit>

PlaceholderDocumentWindow::PlaceholderDocumentWindow(QWidget *parent) : QMainWindow(parent), outline(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Untitled"));
    outline->setReadOnly(true);
    outline->setTabStopDistance(outline->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 6);
    outline->setPlaceholderText(tr("New Module"));
    setCentralWidget(outline);
    resize(640, 420);
}

bool PlaceholderDocumentWindow::openDocument(const QString &filePath, QString *error)
{
    const DocumentReadResult read = readDocumentFile(filePath.toStdString());
    if (!read.content) {
        *error = QString::fromStdString(read.error);
        return false;
    }
    outline->setPlainText(QString::fromStdString(documentOutlineText(read.content->modules)));
    path = filePath;
    setWindowTitle(QFileInfo(filePath).fileName());
    return true;
}
