#include "app/Controller.h"
#include "app/DocumentController.h"
#include "app/PreferencesSheet.h"
#include "app/TextDocumentWindow.h"
#include "document/ui/Modules.h"
#include "platform/HelperBundle.h"
#include "platform/LoginItems.h"
#include "platform/UserDefaultsFile.h"
#include "platform/qt/ContextHelp.h"
#include "platform/qt/HelpViewer.h"

#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

// A shipped helper whose program does nothing.
void makeBundle(const fs::path &bundle, const std::string &version)
{
    fs::create_directories(bundle / "Contents" / "bin");
    std::ofstream(bundle / "Contents" / "Info.plist")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
           "\t<key>CFBundleVersion</key>\n\t<string>" << version << "</string>\n</dict>\n</plist>\n";
    const fs::path program = bundle / "Contents" / "bin" / "tavorin-helper";
    std::ofstream(program) << "#!/bin/sh\n";
    fs::permissions(program, fs::perms::owner_all);
}

class HelperControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        library = fs::path(home.path().toStdString()) / "data";
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(library.string()));
        resource = fs::path(home.path().toStdString()) / "shipped" / HelperBundleName;
        makeBundle(resource, "1.1");
    }
    std::unique_ptr<Controller> start()
    {
        auto controller = std::make_unique<Controller>(SerialDeviceFolders {home.path().toStdString(), home.path().toStdString(), {}});
        controller->setHelperResourcePath(QString::fromStdString(resource.string()));
        controller->awakeFromNib();
        return controller;
    }
    fs::path installed() const { return library / "Application Support" / "Tavorin" / HelperBundleName; }
    static pid_t sleeper()
    {
        const pid_t child = fork();
        if (child == 0) {
            execl("/bin/sleep", "sleep", "30", static_cast<char *>(nullptr));
            _exit(127);
        }
        writeApplicationDefaults({{"Process ID", std::to_string(child)}}, HelperDomain);
        return child;
    }
    static bool terminatedBySignal15(pid_t child)
    {
        for (int tries = 0; tries < 100; ++tries) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child)
                return WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
            usleep(10000);
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        return false;
    }

    QTemporaryDir home;
    fs::path library, resource;
};

}  // namespace

// The first start and the Preferences box turned off and on are walked in tests/real/helper.sh.
TEST_F(HelperControl, NewerShippedVersionReplacesAndSignalsAnOlderOne)
{
    makeBundle(installed(), "1.0");
    const pid_t running = sleeper();
    auto controller = start();
    EXPECT_TRUE(terminatedBySignal15(running));
    EXPECT_EQ(bundleVersion(installed().string()), "1.1");

    controller.reset();
    makeBundle(resource, "1.1b1");
    const pid_t again = sleeper();
    controller = start();
    EXPECT_EQ(bundleVersion(installed().string()), "1.1") << "a beta of the same version does not replace it";
    EXPECT_FALSE(terminatedBySignal15(again));
}

TEST_F(HelperControl, AnExistingLoginItemElsewhereIsNotDuplicated)
{
    const std::string elsewhere = "/opt/old/Tavorin Helper.app/Contents/bin/tavorin-helper";
    ASSERT_TRUE(addLoginItem(elsewhere, false));
    auto controller = start();
    const auto items = readLoginItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].path, elsewhere);
}

// Each page of the help book can be opened from some control: a button, a menu item, or the place
// around a field (F1 in the drawer, a sheet, a group).
TEST_F(HelperControl, EveryHelpAnchorIsNamedBySomeControl)
{
    auto controller = start();
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
