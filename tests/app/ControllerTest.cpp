#include "app/PreferencesSheet.h"
#include "app/TextDocumentWindow.h"
#include "platform/qt/ContextHelp.h"
#include "platform/UserDefaultsFile.h"
#include "platform/qt/HelpViewer.h"
#include "tests/support/WindowTests.h"

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

namespace {

namespace fs = std::filesystem;

QStringList deviceItems(const Controller &controller)
{
    QStringList titles;
    const QList<QAction *> items = controller.cp290Menu()->actions();
    for (int index = Controller::FirstDeviceItem; index < items.size(); ++index)
        titles << items[index]->text() + (items[index]->isChecked() ? "*" : "");
    return titles;
}

QAction *deviceItem(const Controller &controller, const QString &title)
{
    for (QAction *item : controller.cp290Menu()->actions())
        if (item->text() == title)
            return item;
    return nullptr;
}

}  // namespace

TEST(Cp290Menu, NoDevicesShowsTheItemThatRescans)
{
    FakeMachine machine;
    fs::remove_all(machine.dev);
    fs::create_directories(machine.dev);
    Controller controller(machine.folders());
    controller.awakeFromNib();
    ASSERT_EQ(deviceItems(controller), QStringList {"(No Serial Device Found)"});
    FakeMachine::touch(machine.dev / "ttyUSB0");
    deviceItem(controller, "(No Serial Device Found)")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(deviceItems(controller), QStringList {"USB0"});
}

// The CP290 menu checks the device the command line and the helper would use: the scanned device
// whose title is remembered, and none when no scanned device has it (no made-up path).
TEST(Cp290Menu, ChecksTheDeviceTheCommandLineAndTheHelperPick)
{
    FakeMachine machine;
    const QTemporaryDir extra;
    const fs::path folder = extra.path().toStdString();
    FakeMachine::touch(folder / "ttyCP290");
    FakeMachine::touch(folder / "ttyOther");
    struct Case {
        const char *remembered;
        QString checked;
    } cases[] = {{"Other", "Other"}, {"CP290", "CP290"}, {"Gone", ""}};
    for (const Case &c : cases) {
        {
            QSettings settings;
            settings.setValue("Extra Serial Device Folder", extra.path());
            settings.setValue("SerialDevice", c.remembered);
        }
        Controller controller(machine.folders());
        controller.awakeFromNib();
        QString checked;
        for (const QString &title : deviceItems(controller))
            if (title.endsWith('*'))
                checked = title.chopped(1);
        EXPECT_EQ(checked, c.checked) << c.remembered;
        const auto path = rememberedSerialDevicePath();
        EXPECT_EQ(path.value_or(""), c.checked.isEmpty() ? "" : (folder / ("tty" + c.checked.toStdString())).string())
            << c.remembered;
    }
    QSettings().remove("SerialDevice");
    QSettings().remove("Extra Serial Device Folder");
}

// Each page of the help book can be opened from some control: a button, a menu item, or the place
// around a field (F1 in the drawer, a sheet, a group). With no serial device, the CP290 menu's
// one item names its page.
TEST(Help, EveryAnchorIsNamedBySomeControl)
{
    const QTemporaryDir noDevices;
    auto controller = std::make_unique<Controller>(SerialDeviceFolders {noDevices.path().toStdString(), noDevices.path().toStdString(), {}});
    controller->awakeFromNib();
    Modules *document = controller->documentController()->newDocument();
    QSet<QString> named;
    const auto collect = [&named](QObject *place) {
        named.insert(helpAnchorOf(place));
        for (QObject *each : place->findChildren<QObject *>())
            named.insert(helpAnchorOf(each));
    };
    collect(document->window());
    document->showHideEvents();
    collect(document->window());
    for (QAction *menu : document->window()->menuBar()->actions())
        collect(menu->menu());
    collect(controller->eventsWindow());
    collect(controller->helperLogWindow());
    QTimer::singleShot(0, [&] {
        collect(controller->preferencesWindow());
        controller->preferencesWindow()->reject();
    });
    controller->preferences();

    for (const QString &anchor : controller->helpViewer()->anchorNames())
        EXPECT_TRUE(named.contains(anchor)) << anchor.toStdString();
}
