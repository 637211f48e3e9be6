// tavorin-screenshots: renders every window of the application to PNG files, against an
// emulated CP290, for a person to look at. Runs under a real (virtual) display:
//   tavorin-screenshots OUTPUT-FOLDER SAMPLE-DOCUMENT

#include "app/Controller.h"
#include "app/ScheduleWindow.h"
#include "app/TextDocumentWindow.h"
#include "app/DisclaimerSheet.h"
#include "app/MqttSettingsBox.h"
#include "app/PreferencesSheet.h"
#include "app/StatusSheet.h"
#include "driver/DeviceOperations.h"
#include "platform/qt/HelpViewer.h"
#include "document/DocumentFile.h"
#include "document/EventDownload.h"
#include "app/DocumentController.h"
#include "documentwindow/Modules.h"
#include "driver/SerialLink.h"
#include "platform/qt/AlertSheets.h"
#include "tools/emulator/CP290Emulator.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <cstdio>

namespace {

void settle(int milliseconds = 400)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool shoot(const QString &folder, const QString &name)
{
    settle();
    const QString path = folder + "/" + name + ".png";
    const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return saved;
}

// A dark palette of the kind a desktop's dark theme gives, to look at the colours in.
QPalette darkPalette()
{
    QPalette dark;
    const QColor window(45, 45, 48), base(30, 30, 32), text(225, 225, 225);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, window);
        dark.setColor(group, QPalette::WindowText, text);
        dark.setColor(group, QPalette::Base, base);
        dark.setColor(group, QPalette::AlternateBase, window);
        dark.setColor(group, QPalette::Text, text);
        dark.setColor(group, QPalette::Button, window);
        dark.setColor(group, QPalette::ButtonText, text);
        dark.setColor(group, QPalette::Mid, QColor(80, 80, 84));
        dark.setColor(group, QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(group, QPalette::HighlightedText, Qt::white);
        dark.setColor(group, QPalette::PlaceholderText, QColor(150, 150, 150));
    }
    return dark;
}

void dismissAlerts(Controller &controller)
{
    while (QMessageBox *alert = controller.alertSheets()->visibleAlert()) {
        alert->accept();
        settle(100);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavorin-screenshots OUTPUT-FOLDER SAMPLE-DOCUMENT\n");
        return 2;
    }
    setenv("TAVORIN_TICK_SCALE", "0.05", 0);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tavorin"));
    QApplication::setApplicationName(QStringLiteral("Tavorin"));
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    const QString devices = output + "/devices";
    QDir().mkpath(devices);
    EmulatorOptions options;
    options.tickScale = 0.05;
    options.linkPath = (devices + "/ttyCP290").toStdString();
    CP290Emulator box(options);
    std::string error;
    if (!box.start(&error)) {
        std::fprintf(stderr, "tavorin-screenshots: %s\n", error.c_str());
        return 1;
    }
    QSettings().setValue(QStringLiteral("Extra Serial Device Folder"), devices);
    QSettings().setValue(QStringLiteral("SerialDevice"), QStringLiteral("CP290"));
    QSettings().setValue(QStringLiteral("DisclaimerAccepted"), true);
    QSettings().setValue(QStringLiteral("No Helper"), true);  // pictures need no helper running

    Controller controller;
    controller.awakeFromNib();
    QString openError;
    Modules *sampleDocument =
        controller.documentController()->openDocumentWithContentsOfFile(QString::fromLocal8Bit(argv[2]), &openError);
    if (!sampleDocument) {
        std::fprintf(stderr, "tavorin-screenshots: %s\n", openError.toLocal8Bit().constData());
        return 1;
    }
    QMainWindow *document = sampleDocument->window();
    document->move(40, 40);

    // Records for the box to list: the sample document downloaded as the application would.
    const DocumentReadResult sample = readDocumentFile(argv[2]);
    downloadDocumentEvents(sample.content->modules, sample.content->eventRepeat);
    dismissAlerts(controller);

    bool all = true;
    all &= shoot(output, "document-window");
    // At a larger font, as a user who needs one sets it: fields and column titles follow.
    const QFont standard = QApplication::font();
    QFont large = standard;
    large.setPointSize(12);
    QApplication::setFont(large);
    sampleDocument->outline()->selectRowByExtendingSelection(sampleDocument->outline()->rowForItem({1, 0}), false);
    sampleDocument->showHideEvents();
    all &= shoot(output, "document-window-12pt");
    sampleDocument->showHideEvents();
    QApplication::setFont(standard);
    Modules *second = controller.documentController()->newDocument();
    all &= shoot(output, "cascaded-second-window");
    second->window()->close();
    document->activateWindow();
    const int editedRow = sampleDocument->outline()->rowForItem({1, 0});
    sampleDocument->outline()->selectRowByExtendingSelection(editedRow, false);
    sampleDocument->editing().edit();
    all &= shoot(output, "document-editing-event");
    sampleDocument->editing().endEdit();
    sampleDocument->showHideEvents();
    all &= shoot(output, "drawer-clock-event");
    sampleDocument->outline()->selectRowByExtendingSelection(sampleDocument->outline()->rowForItem({0, 0}), false);
    all &= shoot(output, "drawer-sun-event");
    sampleDocument->outline()->expandItem({4, -1});
    sampleDocument->outline()->selectRowByExtendingSelection(sampleDocument->outline()->rowForItem({4, 0}), false);
    all &= shoot(output, "drawer-dated-repeating-event");
    sampleDocument->showHideEvents();

    QTimer::singleShot(600, [&] {
        all &= shoot(output, "repeat-count-sheet");
        sampleDocument->sending().performEventsCancel();
    });
    sampleDocument->sending().performEvents();

    // The status sheet while the download runs: shot from the first redraws of the bar.
    bool downloadShot = false;
    auto *watch = new QTimer(&application);
    QObject::connect(watch, &QTimer::timeout, [&] {
        if (!downloadShot && controller.statusSheet()->isVisible() && controller.statusSheet()->value() > 30) {
            downloadShot = true;
            all &= QGuiApplication::primaryScreen()->grabWindow(0).save(output + "/status-sheet-download.png");
            std::printf("wrote %s/status-sheet-download.png\n", output.toLocal8Bit().constData());
        }
    });
    watch->start(50);
    sampleDocument->sending().sendEventsToCP290();
    watch->stop();
    dismissAlerts(controller);

    document->menuBar()->setActiveAction(controller.cp290Menu()->menuAction());
    all &= shoot(output, "cp290-menu");
    controller.cp290Menu()->hide();
    settle(100);

    QMenu *file = document->menuBar()->actions().constFirst()->menu();
    document->menuBar()->setActiveAction(file->menuAction());
    settle(200);
    for (QAction *item : file->actions())
        if (item->menu() && item->text().remove(QLatin1Char('&')) == QStringLiteral("Open Recent"))
            file->setActiveAction(item);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(file, &right);
    all &= shoot(output, "file-menu-open-recent");
    file->hide();
    settle(100);

    // The Edit menu names what Undo would take back.
    sampleDocument->outline()->selectRowByExtendingSelection(sampleDocument->outline()->rowForItem({3, -1}), false);
    sampleDocument->editing().deleteSelection();
    QMenu *edit = document->menuBar()->actions().at(1)->menu();
    document->menuBar()->setActiveAction(edit->menuAction());
    all &= shoot(output, "edit-menu-undo");
    edit->hide();
    sampleDocument->editing().undo();
    settle(100);

    controller.statusStartWithMessage("Getting Events From CP290...");
    controller.statusSheet()->incrementBy(70);
    all &= shoot(output, "status-sheet");
    controller.statusSheet()->end();

    controller.displayEventsFromCP290();
    dismissAlerts(controller);
    controller.eventsWindow()->move(80, 120);
    all &= shoot(output, "events-listing");

    controller.eventsWindow()->hide();
    document->activateWindow();
    controller.displayCP290Clock();
    all &= shoot(output, "alert-clock");
    dismissAlerts(controller);

    QTimer::singleShot(600, [&] {
        all &= shoot(output, "preferences-sheet");
        MqttSettingsBox *mqtt = controller.preferencesWindow()->mqttBox;
        mqtt->broker->setText(QStringLiteral("mqtt://homeassistant.local"));
        mqtt->user->setText(QStringLiteral("tavorin"));
        mqtt->password->setText(QStringLiteral("secret"));
        mqtt->result->setText(QStringLiteral("Connected to mqtt://tavorin@homeassistant.local."));
        mqtt->result->setStyleSheet(QStringLiteral("color: #26a269"));
        all &= shoot(output, "preferences-mqtt");
        controller.preferencesWindow()->reject();
    });
    controller.preferences();

    writeLog("Enabled by user.");
    writeLog("Events sent.");
    controller.helperLog();
    controller.helperLogWindow()->move(120, 160);
    all &= shoot(output, "helper-log");
    controller.helperLogWindow()->hide();

    // The week ahead, of the sample and of a dense house of 40 modules whose even days overflow,
    // in the light palette and a dark one.
    DocumentFileContent dense;
    for (int index = 0; index < 40; ++index) {
        Module module;
        module.houseCode = index % 16;
        module.unit = index % 16 + 1;
        module.type = index % 3 ? ModuleTypeLight : ModuleTypeAppliance;
        module.name = "Room " + std::to_string(index + 1);
        for (int e = 0; e < 4; ++e) {
            Event event;
            event.Flags = static_cast<uint16_t>((e % 2 ? 0 : EventOn) | EventAllDays | (e == 0 ? EventSunset : EventClockTime)
                                                | (index % 2 ? EventEvenDays : 0));
            event.Time = DateToSeconds(makeDateTimeRec(0, 0, 0, (6 + index / 3 + e * 5) % 24, index * 7 % 60));
            event.Brightness = static_cast<uint16_t>(e % 2 ? 9 : index % 8 + 1);
            module.events.push_back(event);
        }
        dense.modules.push_back(module);
    }
    const QString densePath = output + "/dense.cp290";
    std::string denseError;
    writeDocumentFile(densePath.toStdString(), dense, &denseError);
    Modules *crowded = controller.documentController()->openDocumentWithContentsOfFile(densePath, &openError);
    const QPalette light = QApplication::palette();
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : light);
        const QString suffix = dark ? QStringLiteral("-dark") : QString();
        controller.showSchedule(sampleDocument);
        controller.scheduleWindow()->move(60, 40);
        controller.scheduleWindow()->dayList()->setCurrentRow(1);
        all &= shoot(output, "schedule-window" + suffix);
        if (crowded) {
            controller.showSchedule(crowded);
            controller.scheduleWindow()->move(60, 40);
            controller.scheduleWindow()->dayList()->setCurrentRow(0);
            all &= shoot(output, "schedule-window-40-modules" + suffix);
            controller.scheduleWindow()->dayList()->setCurrentRow(1);
            all &= shoot(output, "schedule-window-overflow" + suffix);
        }
    }
    QApplication::setPalette(light);
    if (crowded)
        crowded->window()->close();
    QFile::remove(densePath);
    controller.scheduleWindow()->hide();

    QAction helpItem(QStringLiteral("No Serial Device"));
    controller.showHelp(&helpItem);
    controller.helpViewer()->move(160, 60);
    all &= shoot(output, "help-serial-devices");
    controller.helpViewer()->hide();

    QSettings().remove(QStringLiteral("DisclaimerAccepted"));
    QTimer::singleShot(600, [&] {
        all &= shoot(output, "disclaimer");
        controller.disclaimerSheet()->acceptButton->click();
    });
    controller.checkDisclaimer();
    return all ? 0 : 1;
}
