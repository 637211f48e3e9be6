#pragma once

#include "documentwindow/DeviceAccess.h"
#include "platform/Alerts.h"
#include "platform/SerialDevices.h"
#include "platform/StatusHooks.h"
#include "platform/qt/FocusedText.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

class AlertSheets;
class DisclaimerSheet;
class HelpViewer;
class PreferencesSheet;
class QPushButton;
class DocumentController;
class Modules;
enum class EditCommand;
class ScheduleWindow;
class TextDocumentWindow;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class StatusSheet;
class WindowCommands;

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

    // Every window with the application's menus offers the File menu's commands for its own
    // content (none for the help viewer); the frontmost such window is the main window.
    void addWindow(QMainWindow *window, WindowCommands *commands);
    QWidget *mainWindow() const;

    QMenu *cp290Menu() const { return cp290.get(); }
    AlertSheets *alertSheets() const { return alerts; }
    StatusSheet *statusSheet() const { return status; }
    TextDocumentWindow *eventsWindow() const { return listing.get(); }
    DocumentController *documentController() const { return documents; }
    // The sheets made for one showing, while they are shown.
    PreferencesSheet *preferencesWindow() const;
    DisclaimerSheet *disclaimerSheet() const;
    TextDocumentWindow *helperLogWindow() const { return logWindow.get(); }
    ScheduleWindow *scheduleWindow() const { return schedule.get(); }
    // The week ahead of a document, in the Schedule window brought to the front.
    void showSchedule(Modules *document);
    QPushButton *clearLog() const { return clearLogButton; }
    HelpViewer *helpViewer() const { return help.get(); }
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
    void runDeviceWork(const std::function<void()> &work) override;

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
    void showHelp(QObject *sender) override;
    void emailTheAuthor();

private:
    void buildMenus();
    SerialDeviceFolders currentDeviceFolders() const;
    void showAlert(const QString &title, const QString &message = {});
    static void bringToFront(QWidget *window);
    void runUnderStatusSheet(const char *message, const std::function<bool()> &driverCall, const Alert &succeeded,
                             const QString &failedTitle);
    // The document of the frontmost window, if that is a document window.
    Modules *mainDocument() const;
    WindowCommands *mainWindowCommands() const;
    void validateEditMenu();
    void noteFrontWindow();
    void helperPaths();
    static bool disclaimerAccepted();
    void helperInstall();
    void addHelperLoginItem();
    void helperInstallAndLaunch();
    void launchHelper();
    void buildHelperWindows();

    struct MenuWindow {
        QPointer<QWidget> window;
        WindowCommands *commands;
    };

    SerialDeviceFolders deviceFolders;
    std::unique_ptr<QMenu> fileMenu;
    std::unique_ptr<QMenu> editMenu;
    std::unique_ptr<QMenu> cp290;
    std::unique_ptr<QMenu> windowMenu;
    std::unique_ptr<QMenu> helpMenu;
    std::vector<std::pair<QAction *, EditCommand>> editCommands;
    std::optional<FocusedText> textUnderMenu;  // the focused text as the Edit menu opened over it
    AlertSheets *alerts = nullptr;
    StatusSheet *status = nullptr;
    std::unique_ptr<TextDocumentWindow> listing;
    DocumentController *documents = nullptr;
    QPointer<PreferencesSheet> preferencesSheet;
    std::unique_ptr<TextDocumentWindow> logWindow;
    std::unique_ptr<ScheduleWindow> schedule;
    QPushButton *clearLogButton = nullptr;
    std::unique_ptr<HelpViewer> help;
    QPointer<DisclaimerSheet> disclaimer;
    std::optional<pid_t> helperProcessID;
    QString helperPath;
    QString logPath;
    QString helperResourcePath = defaultHelperResourcePath();
    bool helperRunning = false;
    QList<MenuWindow> menuWindows;
    // The status sheet's redraws must never let a second command into the driver.
    bool deviceCommandRunning = false;
};
