#pragma once

// What the window tests share: documents opened as the user opens them, the alerts shown, and an
// emulated CP290 chosen in the CP290 menu behind a started controller.

#include "app/Controller.h"
#include "app/DocumentController.h"
#include "document/DocumentFile.h"
#include "document/ui/Modules.h"
#include "platform/qt/AlertSheets.h"
#include "tests/support/FakeMachine.h"
#include "tools/emulator/CP290Emulator.h"

#include <QApplication>
#include <QMessageBox>
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

// Dismisses every alert in turn and tells what each said, with its informative text after a colon.
inline QStringList drainAlerts(Controller &controller)
{
    QStringList said;
    for (int guard = 0; guard < 20; ++guard) {
        QApplication::processEvents();
        QMessageBox *alert = controller.alertSheets()->visibleAlert();
        if (!alert)
            break;
        said << alert->text() + (alert->informativeText().isEmpty() ? "" : ": " + alert->informativeText());
        alert->accept();
    }
    return said;
}

class WithEmulatedCP290 : public ::testing::Test {
protected:
    void SetUp() override { start({}); }
    void TearDown() override
    {
        controller.reset();
        box.reset();
    }
    // The box, linked where the CP290 menu finds it and chosen there, and a controller started on it.
    void start(EmulatorOptions options)
    {
        controller.reset();
        options.tickScale = 0.05;
        options.linkPath = devices.filePath(QStringLiteral("ttyCP290")).toStdString();
        box = std::make_unique<CP290Emulator>(options);
        std::string error;
        ASSERT_TRUE(box->start(&error)) << error;
        QSettings().setValue("Extra Serial Device Folder", devices.path());
        QSettings().setValue("SerialDevice", "CP290");
        controller = std::make_unique<Controller>(machine.folders());
        controller->awakeFromNib();
    }
    FakeMachine machine;
    QTemporaryDir folder, devices;
    std::unique_ptr<CP290Emulator> box;
    std::unique_ptr<Controller> controller;
};
