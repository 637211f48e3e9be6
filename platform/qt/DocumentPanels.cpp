#include "platform/qt/DocumentPanels.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

QString documentFileFilter()
{
    return QCoreApplication::translate("DocumentPanels", "Tavorin documents (*.cp290);;All files (*)");
}

QString chooseDocumentPath(QWidget *window, const QString &title, const QString &start)
{
    QString path = QFileDialog::getSaveFileName(window, title, start, documentFileFilter());
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".cp290");
    return path;
}
