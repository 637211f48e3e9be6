#pragma once

// What the window tests share: documents opened as the user opens them.

#include "app/Controller.h"
#include "app/DocumentController.h"
#include "document/DocumentFile.h"
#include "documentwindow/Modules.h"
#include "tests/support/FakeMachine.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline Modules *openDocument(DocumentController &documents, const QTemporaryDir &folder, const DocumentFileContent &content,
                             const QString &name = QStringLiteral("sample.cp290"))
{
    const QString path = folder.filePath(name);
    std::string error;
    EXPECT_TRUE(writeDocumentFile(path.toStdString(), content, &error)) << error;
    QString readError;
    Modules *document = documents.openDocumentWithContentsOfFile(path, &readError);
    EXPECT_NE(document, nullptr) << readError.toStdString();
    return document;
}
