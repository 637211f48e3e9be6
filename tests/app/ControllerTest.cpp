#include "app/PreferencesSheet.h"
#include "platform/qt/AlertSheets.h"
#include "platform/Alerts.h"
#include "app/ScheduleWindow.h"
#include "app/TextDocumentWindow.h"
#include "platform/qt/ContextHelp.h"
#include "platform/UserDefaultsFile.h"
#include "platform/qt/HelpViewer.h"
#include "tests/support/WindowTests.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTextEdit>
#include <QMessageBox>
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

// F1 on any control, menu item or alert opens the book at a place of its own or of what holds it,
// never the index for want of one; and every anchor of the book is reached from some control.
// With no serial device, the CP290 menu's one item names its page.
TEST(Help, EveryControlReachesAnAnchorAndEveryAnchorIsReached)
{
    const QTemporaryDir noDevices;
    auto controller = std::make_unique<Controller>(SerialDeviceFolders {noDevices.path().toStdString(), noDevices.path().toStdString(), {}});
    controller->awakeFromNib();
    Modules *document = controller->documentController()->newDocument();
    const HelpViewer &book = *controller->helpViewer();
    const IsHelpAnchor isAnchor = [&book](const QString &anchor) { return book.hasAnchor(anchor); };
    const auto isControl = [](const QObject *object) {
        if (object->objectName().startsWith("qt_") || QByteArray(object->metaObject()->className()).contains("IconButton"))
            return false;
        if (const auto *item = qobject_cast<const QAction *>(object))
            return !item->isSeparator() && !item->text().isEmpty();
        if (qobject_cast<const QLineEdit *>(object))
            return !qobject_cast<const QAbstractSpinBox *>(object->parent()) && !qobject_cast<const QComboBox *>(object->parent());
        return qobject_cast<const QAbstractButton *>(object) || qobject_cast<const QAbstractSpinBox *>(object) ||
               qobject_cast<const QComboBox *>(object) || qobject_cast<const QSlider *>(object) ||
               qobject_cast<const QAbstractItemView *>(object) || qobject_cast<const QPlainTextEdit *>(object) ||
               qobject_cast<const QTextEdit *>(object);
    };
    QMap<QString, QString> reached;  // anchor to the first control that reached it
    QStringList lost;
    const auto collect = [&](QObject *place) {
        QList<QObject *> objects {place};
        objects += place->findChildren<QObject *>();
        for (QObject *each : objects) {
            if (each != place && !isControl(each))
                continue;
            const QString anchor = helpAnchorOf(each, isAnchor);
            const QString name = QString::fromLatin1(each->metaObject()->className()) + " \"" +
                                 (qobject_cast<QAction *>(each) ? qobject_cast<QAction *>(each)->text() : each->objectName()) + "\"";
            if (anchor.isEmpty())
                lost << name;
            else if (!reached.contains(anchor))
                reached.insert(anchor, name);
        }
    };
    collect(document->window());
    document->showHideEvents();
    collect(document->window());
    for (QAction *menu : document->window()->menuBar()->actions())
        collect(menu->menu());
    collect(controller->eventsWindow());
    collect(controller->helperLogWindow());
    collect(controller->scheduleWindow());
    requestAlert("No Serial Device", "There is none.");
    QApplication::processEvents();
    ASSERT_TRUE(controller->alertSheets()->visibleAlert());
    collect(controller->alertSheets()->visibleAlert());
    controller->alertSheets()->visibleAlert()->accept();
    QTimer::singleShot(0, [&] {
        collect(controller->preferencesWindow());
        controller->preferencesWindow()->reject();
    });
    controller->preferences();

    EXPECT_TRUE(lost.isEmpty()) << "fall back to the index: " << lost.join(", ").toStdString();
    for (const QString &anchor : book.anchorNames())
        EXPECT_TRUE(reached.contains(anchor)) << anchor.toStdString();
    EXPECT_EQ(helpAnchorOf(controller->alertSheets(), isAnchor), QString());
}
