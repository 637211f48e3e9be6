#include "app/TextDocumentWindow.h"
#include "app/StatusSheet.h"
#include "driver/CommandExchange.h"
#include "driver/SerialLink.h"
#include "tests/support/WindowTests.h"

#include <QMenu>

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

using WithEmulator = WithEmulatedCP290;

}  // namespace

TEST(Cp290Menu, ChoiceIsCheckedRememberedAndGivenToTheDriverAndRescansDoNotPileUp)
{
    FakeMachine machine;
    {
        Controller controller(machine.folders());
        controller.awakeFromNib();
        EXPECT_FALSE(controller.cp290Menu()->actions()[Controller::FirstDeviceItem - 1]->isEnabled());
        deviceItem(controller, "USB1")->trigger();
        EXPECT_EQ(QSettings().value("SerialDevice").toString(), "USB1");
        EXPECT_EQ(std::string(CP290DeviceFilePath), machine.dev.string() + "/ttyUSB1");
        deviceItem(controller, "ACM0")->trigger();
        controller.scanForSerialDevices();
        emit controller.cp290Menu()->aboutToShow();
        EXPECT_EQ(deviceItems(controller), (QStringList {"ACM0*", "S0", "USB0", "USB1"}));
    }
    Controller restarted(machine.folders());
    restarted.awakeFromNib();
    EXPECT_EQ(deviceItems(restarted), (QStringList {"ACM0*", "S0", "USB0", "USB1"}));
}

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

TEST(Cp290Menu, EveryDeviceCommandIsRefusedWithoutAUsableDevice)
{
    FakeMachine machine;
    QSettings().setValue("SerialDevice", "USB7");  // remembered, but gone
    Controller controller(machine.folders());
    controller.awakeFromNib();
    EXPECT_EQ(deviceItems(controller), (QStringList {"ACM0", "S0", "USB0", "USB1"}));

    QAction houseB;
    houseB.setData(1);
    controller.displayEventsFromCP290();
    controller.setBaseHouseCode(&houseB);
    controller.selfTest();
    controller.setCP290Clock();
    controller.displayCP290Clock();
    const QString refusal = "No Serial Device: No serial device has been found.  Please make sure you have selected a "
                            "serial device under the CP290 menu and recheck your connections.";
    EXPECT_EQ(drainAlerts(controller), QStringList(5, refusal));
    EXPECT_FALSE(controller.eventsWindow()->isVisible());

    QAction untagged;
    untagged.setData(-1);
    controller.setBaseHouseCode(&untagged);
    EXPECT_TRUE(drainAlerts(controller).isEmpty()) << "an item tagged -1 does nothing at all";
}

// The commands' successes are walked by their keys in tests/real/device-commands.sh.
TEST_F(WithEmulator, SilentCP290FailuresShowTheDriversAlertThenTheCommandsOwn)
{
    start({.silent = true});
    Controller &controller = *this->controller;
    controller.displayEventsFromCP290();
    controller.displayCP290Clock();
    EXPECT_EQ(controller.alertSheets()->pendingCount(), 3) << "one on screen, the rest waiting in order";
    const QStringList said = drainAlerts(controller);
    ASSERT_EQ(said.size(), 4);
    EXPECT_TRUE(said[0].startsWith("CP290 Not Responding: There does not appear to be a CP290")) << said[0].toStdString();
    EXPECT_EQ(said[1], "Getting Events From CP290 Failed");
    EXPECT_TRUE(said[2].startsWith("CP290 Not Responding: "));
    EXPECT_EQ(said[3], "Getting Clock Failed");
    EXPECT_TRUE(controller.eventsWindow()->listingText().endsWith(":\n\n")) << "the heading alone stays";
}
