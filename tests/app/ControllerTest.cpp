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
