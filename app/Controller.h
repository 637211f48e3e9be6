#pragma once

#include "document/ui/DeviceAccess.h"
#include "platform/Alerts.h"
#include "platform/SerialDevices.h"
#include "platform/StatusHooks.h"

#include <QList>
#include <functional>
#include <optional>
#include <QObject>
#include <QPointer>

class AlertSheets;
class DisclaimerSheet;
class HelpViewer;
class PreferencesSheet;
class QPushButton;
class DocumentController;
class Modules;
class TextDocumentWindow;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class StatusSheet;

// The application controller: start-up, the CP290 menu and the serial device choice, the device
// commands, the status sheet and the listing of the CP290's stored events.
class Controller : public QObject, public StatusController, public DeviceAccess {
    Q_OBJECT
public:
    // The CP290 menu's own items come first; the serial devices follow from this index.
    static constexpr int FirstDeviceItem = 11;

    explicit Controller(SerialDeviceFolders deviceFolders = {}, QObject *parent = nullptr);
    ~Controller() override;

    void awakeFromNib();
    bool applicationOpenUntitledFile();
    void applicationWillTerminate();

    // Every document window gets the application's menus; the frontmost one is the main window.
    void addDocumentWindow(QMainWindow *window);
    QWidget *mainWindow() const;
    void installMenus(QMenuBar *menuBar);

    QMenu *cp290Menu() const { return cp290; }
    AlertSheets *alertSheets() const { return alerts; }
    StatusSheet *statusSheet() const { return status; }
    TextDocumentWindow *eventsWindow() const { return listing; }
    DocumentController *documentController() const { return documents; }
    PreferencesSheet *preferencesWindow() const { return preferencesSheet; }
    TextDocumentWindow *helperLogWindow() const { return logWindow; }
    QPushButton *clearLog() const { return clearLogButton; }
    HelpViewer *helpViewer() const { return help; }
    DisclaimerSheet *disclaimerSheet() const { return disclaimer; }
    const QString &installedHelperPath() const { return helperPath; }
    const QString &helperLogPath() const { return logPath; }
    // Where the copy of the helper shipped with the application lies.
    void setHelperResourcePath(const QString &path) { helperResourcePath = path; }
    static QString defaultHelperResourcePath();
    // The mailto URL of the message to the author.
    static QString authorMailURL();

    void statusStartWithMessage(const std::string &message) override;
    void statusEnd() override;

public slots:
    void scanForSerialDevices();
    void menuNeedsUpdate();
    void serialDeviceSelected(QAction *item);
    bool serialDeviceIsWritable() override;

    void displayEventsFromCP290(QObject *sender = nullptr);
    void setBaseHouseCode(QObject *sender);
    void selfTest(QObject *sender = nullptr);
    void setCP290Clock(QObject *sender = nullptr);
    void displayCP290Clock(QObject *sender = nullptr);

    void newDocument();
    void openDocument();

    void preferences();
    void doneWithPreferences();
    void helperLog(QObject *sender = nullptr);
    void checkDisclaimer();
    void showHelp(QObject *sender);
    void emailTheAuthor();

private:
    void buildMenus();
    SerialDeviceFolders currentDeviceFolders() const;
    // Runs a device command unless one is already running: the status sheet's redraws must never
    // let a second command into the driver.
    bool beginDeviceCommand();
    void endDeviceCommand();
    void showAlert(const QString &title, const QString &message = {});
    void runUnderStatusSheet(const char *message, const std::function<bool()> &driverCall, const Alert &succeeded,
                             const QString &failedTitle);
    // The document of the frontmost window, if that is a document window.
    Modules *mainDocument() const;
    void validateEditMenu();
    void helperPaths();
    void helperInstall();
    void helperLoginItemAndLaunch();
    void launchHelper();
    void buildHelperWindows();

    SerialDeviceFolders deviceFolders;
    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *cp290 = nullptr;
    QMenu *windowMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *preferencesItem = nullptr;
    AlertSheets *alerts = nullptr;
    StatusSheet *status = nullptr;
    TextDocumentWindow *listing = nullptr;
    DocumentController *documents = nullptr;
    PreferencesSheet *preferencesSheet = nullptr;
    TextDocumentWindow *logWindow = nullptr;
    QPushButton *clearLogButton = nullptr;
    HelpViewer *help = nullptr;
    DisclaimerSheet *disclaimer = nullptr;
    std::optional<long> helperProcessID;
    QString helperPath;
    QString logPath;
    QString helperResourcePath = defaultHelperResourcePath();
    bool helperRunning = false;
    QList<QPointer<QWidget>> documentWindows;
    bool deviceCommandRunning = false;
};
