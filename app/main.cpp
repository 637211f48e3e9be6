// Tavorin: the application. With a file argument it opens that document, otherwise the last one.

#include "app/Controller.h"
#include "app/WidgetMap.h"
#include "app/DocumentController.h"
#include "platform/qt/AlertSheets.h"
#include "platform/qt/HelpViewer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavorin"));
    QApplication::setDesktopFileName(QStringLiteral("tavorin"));
    initApplicationResources();
    QIcon icon;
    for (const int size : {16, 32, 64, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/tavorin-%1.png").arg(size));
    QApplication::setWindowIcon(icon);  // every window's

    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Programs and drives a CP290 home-control interface."));
    arguments.addHelpOption();
    arguments.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A module document to open."), QStringLiteral("[file]"));
    arguments.process(application);

    Controller controller;
    controller.awakeFromNib();
    installWidgetMapOnRequest(&controller);
    QObject::connect(&application, &QApplication::aboutToQuit, &controller, &Controller::applicationWillTerminate);

    const QStringList files = arguments.positionalArguments();
    bool opened = false;
    for (const QString &file : files) {
        QString error;
        if (controller.documentController()->openDocumentWithContentsOfFile(file, &error))
            opened = true;
        else
            controller.alertSheets()->beginAlertSheet(QStringLiteral("The document could not be opened."),
                                                      couldNotOpenMessage(file, error));
    }
    if (!opened)
        controller.applicationOpenUntitledFile();
    return application.exec();
}
