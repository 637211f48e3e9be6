#pragma once

#include <QString>

class QWidget;

// The file panels' filter for documents.
QString documentFileFilter();

// Asks where to save a document; a name typed without an extension gets ".cp290". Empty when the
// user cancels.
QString chooseDocumentPath(QWidget *window, const QString &title, const QString &start);
