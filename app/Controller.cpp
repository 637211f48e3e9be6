#include "app/Controller.h"

#include "app/DisclaimerSheet.h"
#include "platform/UserDefaultsFile.h"
#include "app/PreferencesSheet.h"
#include "app/TextDocumentWindow.h"
#include "app/WindowListMenu.h"
#include "platform/qt/HelpViewer.h"
#include "app/StatusSheet.h"
#include "app/DocumentController.h"
#include "app/RecentDocumentsMenu.h"
#include "app/ScheduleWindow.h"
#include "documentwindow/Modules.h"
#include "driver/CommandExchange.h"
#include "driver/DeviceCommandTexts.h"
#include "driver/DeviceOperations.h"
#include "driver/SerialLink.h"
#include "driver/StoredEventListing.h"
#include "platform/DateTime.h"
#include "platform/TickPause.h"
#include "platform/qt/AlertSheets.h"
#include "platform/qt/ContextHelp.h"
#include "platform/qt/UndoKeys.h"
#include "platform/qt/UserInputDrop.h"
#include "platform/qt/WindowCommands.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>
#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>
#include <functional>
#include <unistd.h>

namespace {

const char *const SerialDeviceKey = "SerialDevice";
const char *const LastModulesFileKey = "Last Modules File";
const char *const ExtraSerialDeviceFolderKey = "Extra Serial Device Folder";
const char *const NoDeviceFoundTitle = "(No Serial Device Found)";

QAction *addItem(QMenu *menu, const QString &title, const QKeySequence &keys, QObject *context,
                 std::function<void()> action)
{
    QAction *item = menu->addAction(title);
    item->setShortcut(keys);
    QObject::connect(item, &QAction::triggered, context, std::move(action));
    return item;
}

QAction *addItem(QMenu *menu, const QString &title, QObject *context, std::function<void()> action)
{
    return addItem(menu, title, QKeySequence(), context, std::move(action));
}

}  // namespace

Controller::Controller(SerialDeviceFolders folders, QObject *parent)
    : QObject(parent), deviceFolders(std::move(folders))
{
    alerts = new AlertSheets([this] { return mainWindow(); }, this);
    status = new StatusSheet(this);
    listing = std::make_unique<TextDocumentWindow>(QStringLiteral("Events From CP290"));
    documents = new DocumentController(this);
    documents->setDeviceAccess(this);
    connect(documents, &DocumentController::documentWindowCreated, this, [this](Modules *document, WindowCommands *commands) {
        addWindow(document->window(), commands);
        connect(document, &Modules::scheduleRequested, this, [this, document] { showSchedule(document); });
    });
    initApplicationResources();
    buildHelperWindows();
    help = std::make_unique<HelpViewer>();
    buildMenus();
    addWindow(listing.get(), listing.get());
    addWindow(logWindow.get(), logWindow.get());
    addWindow(help.get(), nullptr);
    schedule = std::make_unique<ScheduleWindow>([this] { return mainDocument(); });
    addWindow(schedule.get(), nullptr);
    setHelpAnchor(listing.get(), QStringLiteral("List Events in CP290"));
    QApplication::instance()->installEventFilter(new ContextHelpKey([this](QObject *sender) { showHelp(sender); }, this));
    QApplication::instance()->installEventFilter(new UndoKeys(this));
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { noteFrontWindow(); });
}

// The window lists run from the least to the most recently in front, so that with another
// window in front (the Schedule, a listing, the help) the document meant is the one last in front.
void Controller::noteFrontWindow()
{
    const QWidget *active = QApplication::activeWindow();
    for (qsizetype i = 0; active && i < menuWindows.size(); ++i)
        if (menuWindows[i].window == active->window()) {
            menuWindows.move(i, menuWindows.size() - 1);
            return;
        }
}

Controller::~Controller()
{
    if (gController == this)
        gController = nullptr;
    if (gStatusProgressIndicator == status)
        gStatusProgressIndicator = nullptr;
}

PreferencesSheet *Controller::preferencesWindow() const
{
    return preferencesSheet;
}

DisclaimerSheet *Controller::disclaimerSheet() const
{
    return disclaimer;
}

void Controller::awakeFromNib()
{
    // The helper's preferences need no access step: both domains are files read when needed.
    scanForSerialDevices();
    gStatusProgressIndicator = status;
    gController = this;
    alerts->installAsAlertPresenter();
    helperPaths();
    if (disclaimerAccepted())
        helperInstallAndLaunch();
    QTimer::singleShot(0, this, &Controller::checkDisclaimer);
}

bool Controller::disclaimerAccepted()
{
    return QSettings().contains(QStringLiteral("DisclaimerAccepted"));
}

void Controller::checkDisclaimer()
{
    if (disclaimerAccepted())
        return;
    // Made for this showing on the main window, and gone with the modal loop.
    disclaimer = new DisclaimerSheet(mainWindow());
    disclaimer->setAttribute(Qt::WA_DeleteOnClose);
    disclaimer->setWindowModality(Qt::WindowModal);
    if (disclaimer->exec() != 0) {
        QSettings().setValue(QStringLiteral("DisclaimerAccepted"), true);
        helperInstallAndLaunch();
        return;
    }
    QCoreApplication::exit(0);
}

void Controller::showHelp(QObject *sender)
{
    help->showHelpAnchor(helpAnchorOf(sender, [this](const QString &anchor) { return help->hasAnchor(anchor); }));
}

QString Controller::authorMailURL()
{
    const QString text = QStringLiteral("mailto:tavorin@example.org?Subject=Tavorin 3.4&body=");
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "!$&'()*+,;=:/?@#~-._"));
}

void Controller::emailTheAuthor()
{
    QDesktopServices::openUrl(QUrl(authorMailURL(), QUrl::StrictMode));
}

bool Controller::applicationOpenUntitledFile()
{
    const QString last = QSettings().value(LastModulesFileKey).toString();
    QString error;
    if (!last.isEmpty() && documents->openDocumentWithContentsOfFile(last, &error))
        return true;
    newDocument();
    return true;
}

void Controller::newDocument()
{
    documents->newDocument();
}

void Controller::openDocument()
{
    documents->openDocument(mainWindow());
}

void Controller::addWindow(QMainWindow *window, WindowCommands *commands)
{
    for (QMenu *menu : {fileMenu.get(), editMenu.get(), cp290.get(), windowMenu.get(), helpMenu.get()})
        window->menuBar()->addMenu(menu);
    // Closed windows leave the list, with the commands their documents owned.
    menuWindows.removeIf([](const MenuWindow &each) { return !each.window; });
    menuWindows.append({window, commands});
}

Modules *Controller::mainDocument() const
{
    return documents->documentForWindow(mainWindow());
}

WindowCommands *Controller::mainWindowCommands() const
{
    const QWidget *main = mainWindow();
    for (const MenuWindow &each : menuWindows)
        if (each.window == main)
            return each.commands;
    return nullptr;
}

namespace {

// The Edit menu's commands that act on the focused text, when there is one.
std::optional<FocusedText::Command> textCommandOf(EditCommand command)
{
    switch (command) {
    case EditCommand::Cut: return FocusedText::Command::Cut;
    case EditCommand::Copy: return FocusedText::Command::Copy;
    case EditCommand::Paste: return FocusedText::Command::Paste;
    case EditCommand::Delete: return FocusedText::Command::Delete;
    case EditCommand::SelectAll: return FocusedText::Command::SelectAll;
    case EditCommand::Undo:
    case EditCommand::Redo: return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

void Controller::validateEditMenu()
{
    Modules *document = mainDocument();
    // What is being typed in the event editor is a change the menu can name and take back; the
    // field keeps the text selected in it, for Cut or Copy. A cell being edited stays open for
    // them, its typing named as what Undo takes back.
    if (document && !document->outline()->isEditing())
        document->commitEditing();
    // Kept for the item chosen: the menu bar takes the focus, and a field its selection.
    textUnderMenu = FocusedText::in(QApplication::activeWindow());
    for (const auto &[item, command] : editCommands) {
        const auto textCommand = textCommandOf(command);
        if (textUnderMenu && textCommand)
            item->setEnabled(textUnderMenu->canPerform(*textCommand));
        else
            item->setEnabled(document && document->editing().validateMenuItem(command));
        // "Undo Delete", "Redo Typing": the menu names what the command would take back or do again.
        if (command == EditCommand::Undo || command == EditCommand::Redo) {
            const QString action = !document ? QString()
                : command == EditCommand::Undo ? document->editing().undoActionName() : document->editing().redoActionName();
            const QString verb = command == EditCommand::Undo ? tr("&Undo") : tr("&Redo");
            item->setText(action.isEmpty() ? verb : tr("%1 %2").arg(verb, action));
        }
    }
}

// The active window when it is one of ours with content of its own, else the one of those shown
// last (document windows come after the controller's own windows).
QWidget *Controller::mainWindow() const
{
    const QWidget *active = QApplication::activeWindow();
    if (active)
        active = active->window();
    // The Schedule acts on the document it shows.
    if (active && active == schedule.get() && schedule->document())
        return schedule->document()->window();
    for (const MenuWindow &each : menuWindows)
        if (each.window && each.commands && each.window == active)
            return each.window;
    for (auto each = menuWindows.crbegin(); each != menuWindows.crend(); ++each)
        if (each->window && each->commands && each->window->isVisible())
            return each->window;
    return nullptr;
}

void Controller::buildMenus()
{
    fileMenu = std::make_unique<QMenu>(tr("&File"));
    QMenu *file = fileMenu.get();
    setHelpAnchor(file, QStringLiteral("File Menu"));
    addItem(file, tr("&New"), QKeySequence::New, this, [this] { newDocument(); });
    addItem(file, tr("&Open..."), QKeySequence::Open, this, [this] { openDocument(); });
    QMenu *recent = file->addMenu(tr("Open Recen&t"));
    setHelpAnchor(recent, QStringLiteral("Open Recent"));
    auto *recentDocuments = new RecentDocumentsMenu(recent, this);
    connect(recentDocuments, &RecentDocumentsMenu::openRequested, this, [this](const QString &path) {
        documents->openDocumentFile(path, mainWindow());
    });
    file->addSeparator();
    addItem(file, tr("&Close"), QKeySequence::Close, this, [] {
        if (QWidget *window = QApplication::activeWindow())
            window->close();
    });
    const auto frontWindow = [this](void (WindowCommands::*command)()) {
        return [this, command] {
            if (WindowCommands *commands = mainWindowCommands())
                (commands->*command)();
        };
    };
    addItem(file, tr("&Save"), QKeySequence::Save, this, frontWindow(&WindowCommands::saveDocument));
    // Spelt out: the generic X11 key bindings have no Save As and no Preferences.
    addItem(file, tr("Save &As..."), QKeySequence(tr("Ctrl+Shift+S")), this, frontWindow(&WindowCommands::saveDocumentAs));
    addItem(file, tr("&Revert to Saved"), this, [this] {
        if (Modules *document = mainDocument())
            documents->revertDocumentToSaved(document);
    });
    file->addSeparator();
    addItem(file, tr("Page Set&up..."), this, frontWindow(&WindowCommands::runPageLayout));
    addItem(file, tr("&Print..."), QKeySequence::Print, this, frontWindow(&WindowCommands::printDocument));
    file->addSeparator();
    addItem(file, tr("&Quit"), QKeySequence::Quit, this, [] { QApplication::closeAllWindows(); });

    editMenu = std::make_unique<QMenu>(tr("&Edit"));
    QMenu *edit = editMenu.get();
    setHelpAnchor(edit, QStringLiteral("Edit Menu"));
    const auto editItem = [this, edit](const QString &title, const QKeySequence &keys, EditCommand command,
                                       std::function<void(Modules &)> perform) {
        QAction *item = addItem(edit, title, keys, this, [this, command, perform] {
            // The focused text's own, as its keys are.
            if (const auto textCommand = textCommandOf(command)) {
                if (std::optional<FocusedText> text = textUnderMenu ? textUnderMenu : FocusedText::in(QApplication::activeWindow()))
                    return text->perform(*textCommand);
            }
            Modules *document = mainDocument();
            if (!document)
                return;
            document->commitEditing();  // what is being typed is a step of its own first
            if (document->editing().validateMenuItem(command))
                perform(*document);
        });
        editCommands.push_back({item, command});
    };
    editItem(tr("&Undo"), QKeySequence::Undo, EditCommand::Undo, [](Modules &document) { document.editing().undo(); });
    editItem(tr("&Redo"), QKeySequence(tr("Ctrl+Shift+Z")), EditCommand::Redo, [](Modules &document) { document.editing().redo(); });
    editCommands.back().first->setShortcuts({QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))});
    // Their titles name what they take back ("Undo Expand All"); their help stays theirs.
    setHelpAnchor(editCommands[0].first, QStringLiteral("Undo"));
    setHelpAnchor(editCommands[1].first, QStringLiteral("Redo"));
    editMenu->addSeparator();
    editItem(tr("Cu&t"), QKeySequence::Cut, EditCommand::Cut, [](Modules &document) { document.clipboard().cut(); });
    editItem(tr("&Copy"), QKeySequence::Copy, EditCommand::Copy, [](Modules &document) { document.clipboard().copy(); });
    editItem(tr("&Paste"), QKeySequence::Paste, EditCommand::Paste, [](Modules &document) { document.clipboard().paste(); });
    editItem(tr("&Delete"), QKeySequence::Delete, EditCommand::Delete,
             [](Modules &document) { document.editing().deleteSelection(); });
    editItem(tr("Select &All"), QKeySequence::SelectAll, EditCommand::SelectAll,
             [](Modules &document) { document.editing().selectAll(); });
    editMenu->addSeparator();
    addItem(edit, tr("Pr&eferences..."), QKeySequence(tr("Ctrl+,")), this, [this] { preferences(); });
    connect(edit, &QMenu::aboutToShow, this, &Controller::validateEditMenu);
    // An item shown disabled must not leave its keys dead once the menu is gone: each item is
    // checked again when it is chosen, by the menu or by its keys.
    connect(edit, &QMenu::aboutToHide, this, [this] {
        for (const auto &[item, command] : editCommands)
            item->setEnabled(true);
        // Once the item chosen, if any, has acted: the keys find the focus as it is then.
        QTimer::singleShot(0, this, [this] { textUnderMenu.reset(); });
    });

    cp290 = std::make_unique<QMenu>(tr("CP&290"));
    QMenu *device = cp290.get();
    device->setObjectName(QStringLiteral("cp290Menu"));
    setHelpAnchor(device, QStringLiteral("CP290 Menu"));
    addItem(device, tr("&List Events in CP290"), this, [this] { displayEventsFromCP290(); });
    device->addSeparator();
    QMenu *baseHouse = device->addMenu(tr("Set &Base House Code"));
    setHelpAnchor(baseHouse, QStringLiteral("Set Base House Code"));
    for (int house = 0; house < 16; ++house) {
        QAction *item = baseHouse->addAction(QString(QChar('A' + house)));
        item->setData(house);  // the tag
        connect(item, &QAction::triggered, this, [this, item] { setBaseHouseCode(item); });
    }
    addItem(device, tr("Run Self &Test"), this, [this] { selfTest(); });
    device->addSeparator();
    addItem(device, tr("&Set CP290 Clock"), this, [this] { setCP290Clock(); });
    addItem(device, tr("Show CP290 Cl&ock"), this, [this] { displayCP290Clock(); });
    device->addSeparator();
    addItem(device, tr("&Rescan Serial Devices"), this, [this] { scanForSerialDevices(); });
    device->addSeparator();
    device->addAction(tr("Serial Device:"))->setEnabled(false);
    Q_ASSERT(device->actions().size() == FirstDeviceItem);
    connect(device, &QMenu::aboutToShow, this, &Controller::menuNeedsUpdate);

    windowMenu = std::make_unique<QMenu>(tr("&Window"));
    QMenu *windows = windowMenu.get();
    setHelpAnchor(windows, QStringLiteral("Window Menu"));
    addItem(windows, tr("&Minimize"), QKeySequence(tr("Ctrl+M")), this, [] {
        if (QWidget *window = QApplication::activeWindow())
            window->showMinimized();
    });
    setHelpAnchor(addItem(windows, tr("&Events From CP290"), this, [this] { bringToFront(listing.get()); }),
                  QStringLiteral("List Events in CP290"));
    addItem(windows, tr("&Schedule"), this, [this] { showSchedule(mainDocument()); });

    setHelpAnchor(addItem(windows, tr("Helper &Log"), this, [this] { helperLog(); }), QStringLiteral("Tavorin Helper Log"));
    new WindowListMenu(windows, documents, this);

    helpMenu = std::make_unique<QMenu>(tr("&Help"));
    QMenu *helpItems = helpMenu.get();
    setHelpAnchor(helpItems, QStringLiteral("Help Menu"));
    // F1 is the focused control's own help (ContextHelpKey), not the book's first page.
    for (const QString &title : {tr("Tavorin Help"), tr("Serial Devices"), tr("Without a CP290")}) {
        QAction *item = helpItems->addAction(title);
        connect(item, &QAction::triggered, this, [this, item] { showHelp(item); });
    }
    addItem(helpItems, tr("&E-mail the Author..."), this, [this] { emailTheAuthor(); });
    helpItems->addSeparator();
    addItem(helpItems, tr("&About Tavorin"), this, [this] {
        showAlert(tr("Tavorin %1").arg(QStringLiteral(TAVORIN_VERSION)),
                  tr("Programs and drives a CP290 home-control interface.\n\n"
                     "Free software under the GNU General Public License, version 3 or (at your option) any later "
                     "version; it comes with no warranty.\n\n%1").arg(QStringLiteral(TAVORIN_HOMEPAGE)));
    });
}

SerialDeviceFolders Controller::currentDeviceFolders() const
{
    SerialDeviceFolders folders = deviceFolders;
    const QString extra = QSettings().value(ExtraSerialDeviceFolderKey).toString();
    if (!extra.isEmpty())
        folders.extra = extra.toStdString();
    return folders;
}

void Controller::menuNeedsUpdate()
{
    scanForSerialDevices();
}

void Controller::scanForSerialDevices()
{
    const QList<QAction *> items = cp290->actions();
    for (int index = static_cast<int>(items.size()) - 1; index >= FirstDeviceItem; --index) {
        cp290->removeAction(items[index]);
        delete items[index];
    }
    const std::vector<SerialDevice> devices = scanSerialDevices(currentDeviceFolders());
    for (const SerialDevice &device : devices) {
        QAction *item = cp290->addAction(QString::fromStdString(device.title));
        setHelpAnchor(item, QStringLiteral("Serial Device:"));
        item->setCheckable(true);
        item->setData(QString::fromStdString(device.path));  // where the scan found it
        connect(item, &QAction::triggered, this, [this, item] { serialDeviceSelected(item); });
    }

    QSettings().sync();  // the remembered title is read from the file
    const auto remembered = rememberedSerialDevice(devices);
    const QList<QAction *> scanned = cp290->actions();
    for (int index = FirstDeviceItem; index < scanned.size(); ++index) {
        if (remembered && scanned[index]->data().toString().toStdString() == remembered->path) {
            serialDeviceSelected(scanned[index]);
            return;
        }
    }
    if (scanned.size() > FirstDeviceItem)
        return;
    QAction *none = cp290->addAction(tr(NoDeviceFoundTitle));
    setHelpAnchor(none, QStringLiteral("No Serial Device"));
    // Rescanning from inside the menu's own signal would delete the item under it: wait a turn.
    connect(none, &QAction::triggered, this, [this] { QTimer::singleShot(0, this, &Controller::scanForSerialDevices); });
}

void Controller::serialDeviceSelected(QAction *item)
{
    const QList<QAction *> items = cp290->actions();
    for (int index = FirstDeviceItem; index < items.size(); ++index) {
        if (items[index] != item) {
            items[index]->setChecked(false);
            continue;
        }
        item->setChecked(true);
        QSettings().setValue(SerialDeviceKey, item->text());
        setCP290DeviceFilePath(item->data().toString().toLocal8Bit().constData());
    }
}

bool Controller::serialDeviceIsWritable()
{
    scanForSerialDevices();
    const QList<QAction *> items = cp290->actions();
    for (int index = FirstDeviceItem; index < items.size(); ++index) {
        if (!items[index]->isChecked())
            continue;
        if (access(items[index]->data().toString().toLocal8Bit().constData(), W_OK) == 0)
            return true;
        break;
    }
    alerts->beginAlertSheet(NoSerialDeviceTitle, NoSerialDeviceMessage, [this] { scanForSerialDevices(); });
    return false;
}

void Controller::statusStartWithMessage(const std::string &message)
{
    status->begin(mainWindow(), QString::fromStdString(message));
}

void Controller::statusEnd()
{
    status->fill();
    Delay(60, nullptr);
    status->end();
}

void Controller::runDeviceWork(const std::function<void()> &work)
{
    if (deviceCommandRunning)
        return;
    deviceCommandRunning = true;
    {
        const UserInputDrop dropped;
        work();
    }
    deviceCommandRunning = false;
}

void Controller::showSchedule(Modules *document)
{
    if (document)
        document->commitEditing();
    schedule->setDocument(document);
    bringToFront(schedule.get());
}

void Controller::bringToFront(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void Controller::showAlert(const QString &title, const QString &message)
{
    alerts->beginAlertSheet(title, message);
}

// A device command under the status sheet: the whole bar for one driver call, then its alert
// (none on success when `succeeded` has no title).
void Controller::runUnderStatusSheet(const char *message, const std::function<bool()> &driverCall, const Alert &succeeded,
                                     const QString &failedTitle)
{
    runDeviceWork([&] {
        if (!serialDeviceIsWritable())
            return;
        statusStartWithMessage(message);
        gProgressBudget = StatusProgressFullScale;
        const bool done = driverCall();
        statusEnd();
        if (!done)
            showAlert(failedTitle);
        else if (!succeeded.title.empty())
            showAlert(QString::fromStdString(succeeded.title), QString::fromStdString(succeeded.message));
    });
}

void Controller::setBaseHouseCode(QObject *sender)
{
    const QAction *item = qobject_cast<QAction *>(sender);
    const int tag = item && item->data().isValid() ? item->data().toInt() : -1;
    if (tag < 0)
        return;
    runUnderStatusSheet("Setting Base House Code...", [tag] { return CP290DoSetBaseHouseCode(tag); },
                        {BaseHouseCodeSetTitle, BaseHouseCodeSetMessage}, BaseHouseCodeFailedTitle);
}

void Controller::selfTest(QObject *)
{
    runUnderStatusSheet("Running Self Test...", CP290DoSelfTest,
                        {SelfTestOKTitle, SelfTestOKMessage}, SelfTestFailedTitle);
}

void Controller::setCP290Clock(QObject *)
{
    runUnderStatusSheet("Setting CP290 Clock...", CP290DoSetClock, {}, SettingClockFailedTitle);
}

void Controller::displayCP290Clock(QObject *)
{
    runDeviceWork([this] {
        if (!serialDeviceIsWritable())
            return;
        if (CP290DoGetClock())
            showAlert(ClockFromCP290Title, QString::fromStdString(clockReportText(gHour, gMinute)));
        else
            showAlert(GettingClockFailedTitle);
    });
}

void Controller::displayEventsFromCP290(QObject *)
{
    runDeviceWork([this] {
        if (!serialDeviceIsWritable())
            return;
        DateTimeRec now;
        SecondsToDate(GetDateTime(), &now);
        listing->setListingText(QString::fromStdString(storedEventListingHeading(now)));
        bringToFront(listing.get());
        listing->repaint();

        statusStartWithMessage("Getting Events From CP290...");
        gProgressBudget = StatusProgressFullScale;
        const bool read = CP290DoGetEvents();
        statusEnd();
        // The sheet came down on whichever window it covered: the listing is the key window.
        bringToFront(listing.get());
        if (!read) {
            showAlert(GettingEventsFailedTitle);
            return;
        }
        listing->setListingText(QString::fromStdString(storedEventListingText(CP290TimerEvent, now)));
    });
}
