// Tavorin: the application. With a file argument it opens that document, otherwise the last one.

#include "app/Controller.h"
#include "app/WidgetMap.h"
#include "app/DocumentController.h"
#include "platform/qt/AlertSheets.h"
#include "platform/qt/HelpViewer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <optional>

namespace {

// The options of the command line, read before the application needs a display.
void describeOptions(QCommandLineParser *arguments)
{
    arguments->setApplicationDescription(QStringLiteral("Programs and drives a CP290 home-control interface."));
    arguments->addHelpOption();
    arguments->addVersionOption();
    arguments->addPositionalArgument(QStringLiteral("files"), QStringLiteral("Module documents to open."),
                                     QStringLiteral("[file...]"));
}

// --help and --version answered on standard output, display or not; nullopt for everything else.
std::optional<int> answerWithoutDisplay(int argc, char **argv)
{
    QCoreApplication probe(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavorin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVORIN_VERSION));
    QCommandLineParser arguments;
    describeOptions(&arguments);
    arguments.parse(QCoreApplication::arguments());  // Qt's own options (-platform ...) come later
    if (arguments.isSet(QStringLiteral("help")) || arguments.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(arguments.helpText()), stdout);
        return 0;
    }
    if (arguments.isSet(QStringLiteral("version"))) {
        std::printf("tavorin %s\n", TAVORIN_VERSION);
        return 0;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char **argv)
{
    if (const auto answered = answerWithoutDisplay(argc, argv))
        return *answered;
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tavorin"));
    QApplication::setApplicationVersion(QStringLiteral(TAVORIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tavorin"));
    initApplicationResources();
    QIcon icon;
    for (const int size : {16, 32, 64, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/tavorin-%1.png").arg(size));
    QApplication::setWindowIcon(icon);  // every window's

    QCommandLineParser arguments;
    describeOptions(&arguments);
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
