// The application controller and the background helper: its install, login item and launch, the
// preferences sheet (the helper's bridge settings among them), and the helper's log window.

#include "app/Controller.h"
#include "app/MqttSettingsBox.h"
#include "app/PreferencesSheet.h"
#include "app/TextDocumentWindow.h"
#include "bridge/BridgeSettings.h"
#include "driver/DeviceOperations.h"
#include "platform/HelperBundle.h"
#include "platform/HelperProcess.h"
#include "platform/Location.h"
#include "platform/LoginItems.h"
#include "platform/UserDefaultsFile.h"
#include "platform/UserFolders.h"
#include "platform/qt/ContextHelp.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <filesystem>

namespace {

const char *const NoHelperKey = "No Helper";
// How long a stopped helper may take to leave before the next one starts (it leaves within a
// download's next exchange).
constexpr int HelperStopWait = 5000;

bool helperIsOn()
{
    return !QSettings().contains(NoHelperKey);
}

}  // namespace

// Beside the program in the build tree; under lib/tavorin once installed.
QString Controller::defaultHelperResourcePath()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString beside = program + "/" + HelperBundleName;
    if (QDir(beside).exists())
        return beside;
    return QDir::cleanPath(program + "/" TAVORIN_HELPER_FROM_PROGRAM "/" + HelperBundleName);
}

void Controller::helperPaths()
{
    const QString library = QString::fromStdString(userLibraryFolder());
    logPath = library + "/Logs/TavorinHelper.log";
    helperPath = library + "/Application Support/Tavorin/" + HelperBundleName;
}

void Controller::helperInstall()
{
    helperProcessID = recordedHelperProcess();
    const std::string installed = helperPath.toStdString(), resource = helperResourcePath.toStdString();
    switch (helperCopyStep(resource, installed)) {
    case HelperCopyStep::Keep:
    case HelperCopyStep::None:
        break;
    case HelperCopyStep::Replace:
        stopRecordedHelperAndWait(HelperStopWait);
        [[fallthrough]];
    case HelperCopyStep::Install:
        copyBundle(resource, installed);
        break;
    }
    recordInstallingApplication(QCoreApplication::applicationFilePath().toStdString());
}

void Controller::launchHelper()
{
    QProcess::startDetached(QString::fromStdString(helperExecutable(helperPath.toStdString())), {});
}

void Controller::addHelperLoginItem()
{
    removeHelperLoginItem();  // written again, with the application of this install
    addLoginItem(helperExecutable(helperPath.toStdString()), true, QCoreApplication::applicationFilePath().toStdString());
}

// Only once the disclaimer is accepted: before it nothing of the helper is written or started.
void Controller::helperInstallAndLaunch()
{
    helperInstall();
    if (!helperIsOn())
        return;
    addHelperLoginItem();
    launchHelper();
}

void Controller::applicationWillTerminate()
{
    if (disclaimerAccepted() && helperIsOn())
        launchHelper();
}

void Controller::preferences()
{
    // Made for this showing on the main window, and gone with the modal loop.
    preferencesSheet = new PreferencesSheet(mainWindow());
    preferencesSheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(preferencesSheet->doneButton, &QPushButton::clicked, this, [this] { doneWithPreferences(); });
    connect(preferencesSheet->helpButton, &QPushButton::clicked, this, [this] { showHelp(preferencesSheet->helpButton); });
    helperRunning = helperIsOn();
    preferencesSheet->helperCheckbox->setChecked(helperRunning);
    preferencesSheet->mqttBox->showSettings(readBridgeSettings());
    if (const auto preferred = locationFromPreferences()) {
        preferencesSheet->showLocation(*preferred, PreferencesSheet::Origin::SetByUser);
    } else {
        const ZoneLocation zone = locationFromTimeZone();
        preferencesSheet->showLocation(zone.location, zone.placeKnown ? PreferencesSheet::Origin::TimeZone
                                                                      : PreferencesSheet::Origin::NotKnown);
    }
    preferencesSheet->setWindowModality(Qt::WindowModal);
    preferencesSheet->exec();
}

void Controller::doneWithPreferences()
{
    preferencesSheet->done(1);
    if (preferencesSheet->locationEdited() && preferencesSheet->location()) {
        const Location place = *preferencesSheet->location();
        QSettings settings;
        settings.setValue("Latitude", QString::number(place.latitude));
        settings.setValue("Longitude", QString::number(place.longitude));
        settings.setValue("GMT Offset", QString::number(place.gmtOffset));
        settings.sync();
    }
    const bool checked = preferencesSheet->helperCheckbox->isChecked();
    const BridgeSettings bridge = preferencesSheet->mqttBox->settings();
    const bool bridgeChanged = bridge != readBridgeSettings();
    if (bridgeChanged)
        writeBridgeSettings(bridge);
    if (checked && helperRunning && bridgeChanged) {
        writeLog("The Home Assistant (MQTT) settings changed; the helper restarts to take them.");
        stopRecordedHelperAndWait(HelperStopWait);
        launchHelper();
    } else if (checked && !helperRunning) {
        writeLog("Enabled by user.");
        addHelperLoginItem();
        QSettings().remove(NoHelperKey);
        QSettings().sync();
        launchHelper();
    } else if (!checked && helperRunning) {
        writeLog("Disabled by user.");
        removeHelperLoginItem();
        QSettings().setValue(NoHelperKey, true);
        QSettings().sync();
        stopRecordedHelper();
    }
}

void Controller::helperLog(QObject *sender)
{
    if (sender == clearLogButton) {
        QFile log(logPath);
        if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
            log.close();
    }
    QFile log(logPath);
    if (log.open(QIODevice::ReadOnly | QIODevice::Text))
        logWindow->setListingText(QString::fromUtf8(log.readAll()));
    logWindow->scrollToEnd();
    bringToFront(logWindow.get());
}

void Controller::buildHelperWindows()
{
    logWindow = std::make_unique<TextDocumentWindow>(QStringLiteral("Tavorin Helper Log"));
    setHelpAnchor(logWindow.get(), QStringLiteral("Tavorin Helper Log"));
    clearLogButton = new QPushButton(tr("Clear"), logWindow.get());
    QToolBar *bar = logWindow->addToolBar(tr("Log"));
    bar->setMovable(false);
    bar->addWidget(clearLogButton);
    connect(clearLogButton, &QPushButton::clicked, this, [this] { helperLog(clearLogButton); });
}
