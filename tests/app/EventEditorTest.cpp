#include "document/DownloadedModules.h"
#include "document/EventDownload.h"
#include "widgets/EventEditorView.h"
#include "driver/CommandExchange.h"
#include "driver/TimerDownload.h"
#include "platform/Location.h"
#include "sun/SunriseSunset.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"
#include "widgets/OutlineModel.h"
#include "widgets/VekHideableNSTextField.h"

#include <QCheckBox>
#include <QComboBox>
#include "widgets/ClockFields.h"
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <cstring>
#include <QTimer>

namespace {

// Monday 7 December 2026, 10:00, in New York.
const uint32_t Now = secondsAt(2026, 12, 7, 10, 0);

Event weekdayLamp()
{
    Event event = clockEvent(EventOn | EventMonday | EventTuesday | EventWednesday | EventThursday | EventFriday, 7, 0, 4);
    event.Date = secondsAt(2026, 3, 1);  // not used by the rule, kept all the same
    event.Repeat = 3;
    event.Adjust = 600;
    event.Flags |= EventOffsetMinus;
    event.padding[0] = 0x5A;
    return event;
}

DocumentFileContent house()
{
    Event dated = clockEvent(EventOn | EventOnDate | EventRepeatDays, 19, 15);
    dated.Date = secondsAt(2026, 12, 20);
    dated.Repeat = 2;
    DocumentFileContent content;
    content.modules = {module(0, 1, {weekdayLamp()}), module(1, 2, {clockEvent(EventOn | EventAllDays, 8, 0)}, ModuleTypeAppliance),
                       module(0, 17, {clockEvent(EventOn | EventAllDays, 21, 0)}, ModuleTypeNone),
                       module(0, 18, {clockEvent(EventAllDays, 23, 0)}, ModuleTypeNone),
                       module(2, 4, {dated, clockEvent(EventOn, 6, 0)}), module(0, 5, {})};
    for (Module &m : content.modules)
        m.expanded = true;
    return content;
}

class EventEditor : public WithEmulatedCP290 {
protected:
    void SetUp() override
    {
        setDateTimeSource([] { return Now; });
        setLocationOverride(Location {41, -74, -18000});
        WithEmulatedCP290::SetUp();
        document = openDocument(*controller->documentController(), folder, house());
        ASSERT_NE(document, nullptr);
        document->showHideEvents();
        editor = document->eventEditor();
    }
    void select(OutlineItem item, bool extend = false)
    {
        document->outline()->selectRowByExtendingSelection(document->outline()->rowForItem(item), extend);
    }
    const Event &event(int module, int index) const { return document->modules()[module].events[index]; }
    Modules *document = nullptr;
    EventEditorView *editor = nullptr;
};

}  // namespace

TEST_F(EventEditor, EveryFieldLoadsAndSavesBackAsItWas)
{
    select({0, 0});
    const auto shown = [this] {
        return std::tuple {editor->onSwitch->isChecked(), editor->eventBrightnessSlider->value(), editor->eventBrightnessLabel->text(),
                           editor->time->time(), editor->sunriseSwitch->isChecked(), editor->offsetSign->text() + editor->offset->text(),
                           editor->offset->isEnabled(), editor->daysPopup->currentIndex(), editor->dateBox->currentWidget() == editor->everyView,
                           editor->sundaySwitch->isChecked(), editor->mondaySwitch->isChecked(), editor->date->date(),
                           editor->repeatDays->value(), editor->daysWarning->hidden()};
    };
    EXPECT_EQ(shown(), std::tuple(true, 4, QString("50.0%"), QTime(7, 0), false, QString("-00:10"), false, 0, true, false, true,
                                  QDate(2026, 3, 1), 3, true));
    editor->securitySwitch->click();
    EXPECT_TRUE(event(0, 0).has(EventSecurity));
    editor->securitySwitch->click();
    EXPECT_EQ(event(0, 0), weekdayLamp()) << "fields the rule does not use keep their values";
    EXPECT_TRUE(document->isDocumentEdited());
}

// Each control reaches the event and the outline at once; what the controls mean is the core's
// (EditorFields), tested there.
TEST_F(EventEditor, ControlsSaveAtOnceAndTheWindowFollows)
{
    select({0, 0});
    editor->offSwitch->click();
    EXPECT_FALSE(editor->eventBrightnessSlider->isEnabled());
    EXPECT_EQ(document->outline()->outlineModel()->data(document->outline()->outlineModel()->indexOf({0, 0})).toString(),
              "Turn Off @ 07:00 AM On .MTWTF.") << "the outline follows at once";
    editor->onSwitch->click();
    editor->eventBrightnessSlider->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QApplication::processEvents();
    EXPECT_EQ(event(0, 0).Brightness, 8);

    SetRiseSetTimes();
    DateTimeRec sunrise;
    SecondsToDate(gSunriseTime, &sunrise);
    editor->sunriseSwitch->click();
    EXPECT_EQ(editor->time->time(), QTime(sunrise.hour, sunrise.minute));
    EXPECT_TRUE(editor->offset->isEnabled());
    EXPECT_TRUE(event(0, 0).has(EventSunrise));

    for (int day = 0; day < 7; ++day)
        if (editor->daySwitch(day)->isChecked())
            editor->daySwitch(day)->click();
    EXPECT_FALSE(editor->daysWarning->hidden());
    editor->daysPopup->setCurrentIndex(EventEvenDays);
    emit editor->daysPopup->activated(EventEvenDays);
    EXPECT_EQ(editor->dateBox->currentWidget(), editor->emptyDaysView);
    EXPECT_FALSE(editor->securitySwitch->isEnabled());
    EXPECT_EQ(event(0, 0).dayRule(), EventEvenDays);
}

TEST_F(EventEditor, TodayReachesTheEventAtTheNextSaveAndResetGivesTheDefault)
{
    select({4, 0});
    editor->tomorrowButton->click();
    EXPECT_EQ(event(4, 0).Date, secondsAt(2026, 12, 20)) << "no save of its own";
    editor->todayButton->click();
    select({4, 1});
    EXPECT_EQ(event(4, 0).Date, secondsAt(2026, 12, 7));

    editor->resetButton->click();
    const Event reset = event(4, 1);
    // Read back through the controls: the repeat switch of the dated event before keeps its state,
    // a bit the weekday rule does not use.
    EXPECT_EQ(reset.Flags & ~EventRepeatDays, EventAllDays | EventClockTime);
    EXPECT_EQ(reset.Brightness, 9);
    EXPECT_EQ(reset.Date, secondsAt(2026, 12, 7));
    EXPECT_EQ(reset.Time, timeOfDay(10, 0));
}

TEST_F(EventEditor, RepeatSheetChangesTheCountsOnlyWhenAskedTo)
{
    QTimer::singleShot(0, [this] { document->performEventsCancel(); });
    document->performEvents();
    EXPECT_FALSE(document->isDocumentEdited());
    QTimer::singleShot(0, [this] {
        document->repeatCountSheet()->findChildren<QComboBox *>()[0]->setCurrentIndex(2);
        document->performEventsOK();
    });
    document->performEvents();
    EXPECT_EQ(document->repeatCounts(), (ClassicEventRepeat {3, 1}));
    EXPECT_TRUE(document->isDocumentEdited());
}

TEST_F(EventEditor, SendingLandsInTheCP290AsPlannedAndIsRemembered)
{
    document->sendEventsToCP290();
    QApplication::processEvents();
    EXPECT_EQ(controller->alertSheets()->visibleAlert(), nullptr);
    bool anyEvent = false;
    ASSERT_TRUE(encodeDocumentEvents(document->modules(), document->repeatCounts(), &anyEvent));
    ASSERT_EQ(box->storedRecordCount(), NumEvents);
    for (int n = 0; n < NumEvents; ++n)
        EXPECT_EQ(0, std::memcmp(box->storedRecord(n).data(), CP290TimerEvent[n] + 2, 8)) << n;
    const auto remembered = recallDownloadedModules();
    ASSERT_TRUE(remembered);
    EXPECT_EQ(remembered->modules, document->modules());
}

TEST_F(EventEditor, DirectSwitchingSendsOneCommandPerRowLastFirst)
{
    select({0, -1});
    select({1, -1}, true);
    select({4, -1}, true);
    document->selectedBrightness()->setValue(4);
    document->on();
    document->off();
    const std::vector<std::string> switched = switchedLines();
    ASSERT_EQ(switched.size(), 6u);
    EXPECT_NE(switched[0].find("now C4 dim 50%"), std::string::npos) << switched[0];
    EXPECT_NE(switched[1].find("now B2 on"), std::string::npos) << switched[1];
    EXPECT_NE(switched[2].find("now A1 dim 50%"), std::string::npos) << switched[2];
    EXPECT_NE(switched[3].find("now C4 off"), std::string::npos) << switched[3];
}
