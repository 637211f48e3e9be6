// main() of the GUI suites: the real widgets on the offscreen platform, and before every test
// fresh user defaults and data folders, the system clock and place, so that no test sees or
// changes the user's or another test's, in whatever order they run.

#include "platform/DateTime.h"
#include "platform/Location.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void emptyFolder(const QString &path)
{
    QDir folder(path);
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));
}

class FreshUserState : public ::testing::EmptyTestEventListener {
public:
    FreshUserState()
    {
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        unchangedZone = qgetenv("TZ");
    }

private:
    void OnTestStart(const ::testing::TestInfo &) override
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        if (unchangedZone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", unchangedZone);
        tzset();
        setDateTimeSource({});
        setLocationOverride(std::nullopt);
        emptyFolder(data.path());
        emptyFolder(settings.path());
        for (const QString &domain : {QStringLiteral("Tavorin"), QStringLiteral("Tavorin Helper")}) {
            QSettings defaults(QStringLiteral("Tavorin"), domain);
            defaults.clear();
            defaults.sync();
        }
        // The disclaimer would hold every test in its modal loop; its own tests take the key away.
        QSettings().setValue(QStringLiteral("DisclaimerAccepted"), true);
        QSettings().sync();
    }

    QTemporaryDir settings, data;
    QByteArray unchangedZone;
};

}  // namespace

int main(int argc, char **argv)
{
    auto *fresh = new FreshUserState;  // the listener list owns it
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(fresh);
    return RUN_ALL_TESTS();
}
