// The event editor of a module document: the drawer's controls loaded from and saved into the
// event selected in the outline, and the window's buttons following the selection.

#include "document/FieldFormatters.h"
#include "document/ui/ClockFields.h"
#include "document/ui/EventEditorView.h"
#include "document/ModuleCells.h"
#include "document/ui/Modules.h"
#include "driver/DeviceOperations.h"
#include "sun/SunriseSunset.h"
#include "widgets/VekHideableNSTextField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <cmath>

namespace {

constexpr uint16_t DayBits[7] = {EventSunday, EventMonday, EventTuesday, EventWednesday,
                                 EventThursday, EventFriday, EventSaturday};

QTime timeOf(uint32_t seconds)
{
    const DateTimeRec rec = SecondsToNSCalendarDate(seconds);
    return QTime(rec.hour, rec.minute, rec.second);
}

QDate dateOf(uint32_t seconds)
{
    const DateTimeRec rec = SecondsToNSCalendarDate(seconds);
    return QDate(rec.year, rec.month, rec.day);
}

uint32_t secondsOfTime(const QTime &time)
{
    return NSCalendarDateTimeToSeconds(makeDateTimeRec(0, 0, 0, time.hour(), time.minute(), time.second()));
}

uint32_t secondsOfDate(const QDate &date)
{
    return NSCalendarDateDateToSeconds(makeDateTimeRec(date.year(), date.month(), date.day()));
}

QDate today()
{
    return dateOf(GetDateTime());
}

}  // namespace

void Modules::connectEventEditor()
{
    EventEditorView *e = editor;
    const auto save = [this] { eventChanged(); };
    connect(e->onSwitch, &QRadioButton::clicked, this, [this] { eventOn(); });
    connect(e->offSwitch, &QRadioButton::clicked, this, [this] { eventOff(); });
    connect(e->eventBrightnessSlider, &QSlider::valueChanged, this,
            [this](int level) { editor->eventBrightnessLabel->setText(EventEditorView::brightnessText(level)); });
    // Only the user's moves save: the value is set by then, a turn of the event loop later.
    connect(e->eventBrightnessSlider, &QSlider::actionTriggered, this,
            [this] { QTimer::singleShot(0, this, [this] { eventChanged(); }); });
    // Every change the user makes is saved at once: typed, stepped with the arrows or the wheel.
    connect(e->time, &ClockField::edited, this, save);
    connect(e->sunriseSwitch, &QCheckBox::clicked, this, [this] { sunrise(); });
    connect(e->sunsetSwitch, &QCheckBox::clicked, this, [this] { sunset(); });
    connect(e->offsetSign, &QLineEdit::textEdited, this, save);
    connect(e->offset, &QLineEdit::editingFinished, this, save);
    connect(e->securitySwitch, &QCheckBox::clicked, this, save);
    for (int day = 0; day < 7; ++day)
        connect(e->daySwitch(day), &QCheckBox::clicked, this, save);
    connect(e->daysPopup, &QComboBox::activated, this, [this] { daysPopupChanged(); });
    connect(e->date, &ClockField::edited, this, save);
    connect(e->todayButton, &QPushButton::clicked, this, [this] { this->today(); });
    connect(e->tomorrowButton, &QPushButton::clicked, this, [this] { tomorrow(); });
    connect(e->repeatSwitch, &QCheckBox::clicked, this, [this] { repeat(); });
    connect(e->repeatDays, &QSpinBox::valueChanged, this, save);
    connect(e->resetButton, &QPushButton::clicked, this, [this] { resetEvent(); });
    connect(e->helpButton, &QPushButton::clicked, this, [this, e] { showHelp(e->helpButton); });
}

// A. The selection changed.
void Modules::outlineViewSelectionDidChange()
{
    const int selected = modulesOutline->numberOfSelectedRows();
    const auto directControls = [this](bool on, bool off, bool brightness) {
        onButton->setEnabled(on);
        offButton->setEnabled(off);
        selectedBrightnessSlider->setEnabled(brightness);
        selectedBrightnessLabel->setEnabled(brightness);
    };
    if (selected == 0) {
        directControls(false, false, false);
        for (QPushButton *each : {newEventButton, deleteButton, editButton, endEditButton})
            each->setEnabled(false);
    } else if (selected == 1) {
        for (QPushButton *each : {deleteButton, newEventButton, editButton, endEditButton})
            each->setEnabled(true);
        saveEventData();
        const int row = modulesOutline->selectedRow();
        currentModuleIndex = moduleIndexForOutlineRow(row);
        if (modulesOutline->levelForRow(row) == 1) {
            directControls(false, false, false);
            drawerContent->setCurrentWidget(editor);
            currentEventIndex = eventIndexForOutlineRow(row);
            loadEventData();
            checkDaysWarning();
            modulesOutline->setFocus();
        } else {
            offButton->setEnabled(true);
            drawerContent->setCurrentWidget(noEventsView);
            currentEventIndex = -1;
            moduleChanged();
        }
        return;
    } else {
        for (QPushButton *each : {newEventButton, editButton, endEditButton})
            each->setEnabled(false);
        saveEventData();
        bool light = false, allUnits = false;
        for (int row = 0; row < modulesOutline->numberOfRows(); ++row) {
            if (!modulesOutline->isRowSelected(row) || modulesOutline->levelForRow(row) != 0)
                continue;
            const Module &module = modulesArray[modulesOutline->itemAtRow(row).module];
            if (module.type == ModuleTypeLight)
                light = true;
            else if (module.unit >= CP290AllLightsUnit)
                allUnits = true;
        }
        if (allUnits)
            directControls(false, false, false);
        else
            directControls(true, true, light);
        deleteButton->setEnabled(true);
    }
    drawerContent->setCurrentWidget(noEventsView);
    currentModuleIndex = -1;
    currentEventIndex = -1;
}

const Event &Modules::currentEvent() const
{
    return modulesArray[currentModuleIndex].events[currentEventIndex];
}

// B. The controls from the current event.
void Modules::loadEventData()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0)
        return;
    loadingEvent = true;
    const Module &module = modulesArray[currentModuleIndex];
    const Event event = currentEvent();
    EventEditorView *e = editor;
    // The On choice follows the event's own module, not the module row selected before it.
    e->onSwitch->setEnabled(module.unit != CP290AllModulesUnit);
    if (event.has(EventOn)) {
        e->onSwitch->setChecked(true);
        const bool dimmable = module.type != ModuleTypeAppliance && module.unit != CP290AllModulesUnit;
        e->eventBrightnessSlider->setEnabled(dimmable);
        e->eventBrightnessLabel->setEnabled(dimmable);
    } else {
        e->offSwitch->setChecked(true);
        e->eventBrightnessSlider->setEnabled(false);
        e->eventBrightnessSlider->setValue(9);
        e->eventBrightnessLabel->setEnabled(false);
    }
    e->eventBrightnessSlider->setValue(event.Brightness);
    e->offsetSign->setText(event.has(EventOffsetMinus) ? QStringLiteral("-") : QStringLiteral("+"));
    e->offset->setText(QString::fromStdString(timeOffsetFormatter::stringForObjectValue(SecondsToNSCalendarDate(event.Adjust))));
    if (event.has(EventSunrise)) {
        SetRiseSetTimes();
        e->sunriseSwitch->setChecked(true);
        riseSet(e->sunriseSwitch, false);
        e->time->setTime(timeOf(gSunriseTime));
    } else if (event.has(EventSunset)) {
        SetRiseSetTimes();
        e->sunsetSwitch->setChecked(true);
        riseSet(e->sunsetSwitch, false);
        e->time->setTime(timeOf(gSunsetTime));
    } else {
        e->time->setTime(timeOf(event.Time));
        e->sunriseSwitch->setChecked(false);
        e->sunsetSwitch->setChecked(false);
        e->offset->setEnabled(false);
        e->offsetSign->setEnabled(false);
        e->time->setEnabled(true);
        setKeyboardLoop();
    }
    timeAsLoaded = e->time->time();
    e->repeatDays->setValue(event.Repeat);
    e->date->setDate(dateOf(event.Date));
    e->daysPopup->setCurrentIndex(event.dayRule());
    doDaysPopupChanged();
    loadingEvent = false;
}

// C. The part of the editor that belongs to the chosen day rule.
void Modules::doDaysPopupChanged()
{
    EventEditorView *e = editor;
    const Event event = currentEventIndex >= 0 ? currentEvent() : defaultEvent;
    switch (e->daysPopup->currentIndex()) {
    case EventDaysOfWeek:
        e->dateBox->setCurrentWidget(e->everyView);
        e->securitySwitch->setChecked(event.has(EventSecurity));
        for (int day = 0; day < 7; ++day)
            e->daySwitch(day)->setChecked(event.has(DayBits[day]));
        e->securitySwitch->setEnabled(true);
        return;
    case EventOnDate:
        e->dateBox->setCurrentWidget(e->dateView);
        e->date->setDate(dateOf(event.Date));
        e->repeatSwitch->setChecked(event.has(EventRepeatDays));
        e->repeatDays->setEnabled(event.has(EventRepeatDays));
        e->repeatDays->setValue(event.Repeat);
        setKeyboardLoop();
        break;
    case EventEvenDays:
    case EventOddDays:
        e->dateBox->setCurrentWidget(e->emptyDaysView);
        break;
    default:
        break;
    }
    e->securitySwitch->setChecked(false);
    e->securitySwitch->setEnabled(false);
}

void Modules::daysPopupChanged(QObject *)
{
    doDaysPopupChanged();
    saveEventData();
}

// D. The controls into the document.
void Modules::saveEventData()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0 || loadingEvent)
        return;
    EventEditorView *e = editor;
    Event event = currentEvent();
    event.Flags = e->onSwitch->isChecked() ? EventOn : 0;
    event.Brightness = static_cast<uint16_t>(e->eventBrightnessSlider->value());
    // A sun event's field shows today's sun time: as long as nobody touched it, the stored time stays.
    if (e->time->time() != timeAsLoaded)
        event.Time = secondsOfTime(e->time->time());
    if (e->offsetSign->text() == QLatin1String("-"))
        event.Flags |= EventOffsetMinus;
    if (const auto offset = timeOffsetFormatter::objectValueForString(e->offset->text().toStdString()))
        event.Adjust = static_cast<uint32_t>(offset->hour * 3600 + offset->minute * 60);
    event.Flags |= e->sunriseSwitch->isChecked() ? EventSunrise : e->sunsetSwitch->isChecked() ? EventSunset : EventClockTime;
    if (e->securitySwitch->isChecked())
        event.Flags |= EventSecurity;
    event.Flags |= static_cast<uint16_t>(std::max(0, e->daysPopup->currentIndex()) & EventDaysMask);
    event.Date = secondsOfDate(e->date->date());
    event.Repeat = static_cast<uint16_t>(e->repeatDays->value());
    if (e->repeatSwitch->isChecked())
        event.Flags |= EventRepeatDays;
    for (int day = 0; day < 7; ++day)
        if (e->daySwitch(day)->isChecked())
            event.Flags |= DayBits[day];
    // Controls that say what the event already holds change nothing (a selection change saves
    // the event it leaves).
    if (eventInLineWith(modulesArray[currentModuleIndex], event) == currentEvent())
        return;
    setCurrentEvent(event);
    updateChangeCount(true);
}

// E. A new event in the editor's place.
void Modules::setCurrentEvent(const Event &event)
{
    Module module = modulesArray[currentModuleIndex];
    module.events[currentEventIndex] = eventInLineWith(module, event);
    replaceModule(currentModuleIndex, module);
    modulesOutline->viewport()->update();
    loadEventData();
    checkDaysWarning();
}

// F. A sun switch turned on or off. The focus moves only when the user turned it: a reload after
// every save would otherwise pull the focus back to the sign while the user tabs on.
void Modules::riseSet(QCheckBox *changed, bool moveFocus)
{
    EventEditorView *e = editor;
    if (changed->isChecked()) {
        SetRiseSetTimes();
        if (changed == e->sunriseSwitch) {
            e->sunsetSwitch->setChecked(false);
            e->time->setTime(timeOf(gSunriseTime));
        } else {
            e->sunriseSwitch->setChecked(false);
            e->time->setTime(timeOf(gSunsetTime));
        }
        e->offset->setEnabled(true);
        e->offsetSign->setEnabled(true);
        if (moveFocus)
            e->offsetSign->setFocus();
        e->time->setEnabled(false);
    } else {
        e->offset->setEnabled(false);
        e->offsetSign->setEnabled(false);
        e->time->setEnabled(true);
        if (moveFocus)
            e->time->setFocus();
    }
    setKeyboardLoop();
}

void Modules::sunrise(QObject *)
{
    riseSet(editor->sunriseSwitch);
    saveEventData();
}

void Modules::sunset(QObject *)
{
    riseSet(editor->sunsetSwitch);
    saveEventData();
}

// G. The order in which Tab walks the editor's fields.
void Modules::setKeyboardLoop()
{
    EventEditorView *e = editor;
    QList<QWidget *> loop;
    if (e->time->isEnabled())
        loop << e->time;
    else
        loop << e->offsetSign << e->offset;
    loop << e->date;
    if (e->repeatSwitch->isChecked())
        loop << e->repeatDays;
    e->setKeyboardLoop(loop);
}

// H. The warning that no day is chosen.
void Modules::checkDaysWarning()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0 || currentEvent().dayRule() != EventDaysOfWeek)
        return;
    if (currentEvent().Flags & EventAllDays)
        editor->daysWarning->hide();
    else
        editor->daysWarning->unHide();
}

// I. The module's unit number and type applied to the controls.
void Modules::moduleChanged()
{
    if (currentModuleIndex < 0)
        return;
    Module module = modulesArray[currentModuleIndex];
    EventEditorView *e = editor;
    const auto brightness = [](QSlider *slider, QLabel *label, bool enabled) {
        slider->setEnabled(enabled);
        label->setEnabled(enabled);
    };
    if (module.unit == CP290AllLightsUnit) {
        onButton->setEnabled(false);
        offButton->setEnabled(false);
        e->onSwitch->setEnabled(true);
        module.type = ModuleTypeNone;
        replaceModule(currentModuleIndex, module);
        brightness(selectedBrightnessSlider, selectedBrightnessLabel, false);
        brightness(e->eventBrightnessSlider, e->eventBrightnessLabel, false);
        e->eventBrightnessSlider->setValue(9);
    } else if (module.unit == CP290AllModulesUnit) {
        module.type = ModuleTypeNone;
        replaceModule(currentModuleIndex, module);
        onButton->setEnabled(false);
        offButton->setEnabled(false);
        e->offSwitch->setChecked(true);  // the On choice off: the pair is one choice
        e->onSwitch->setEnabled(false);
        brightness(selectedBrightnessSlider, selectedBrightnessLabel, false);
    } else if (module.type == ModuleTypeLight) {
        onButton->setEnabled(true);
        e->onSwitch->setEnabled(true);
        brightness(selectedBrightnessSlider, selectedBrightnessLabel, true);
        brightness(e->eventBrightnessSlider, e->eventBrightnessLabel, true);
    } else {
        if (module.type == ModuleTypeNone) {
            module.type = ModuleTypeAppliance;
            replaceModule(currentModuleIndex, module);
        }
        onButton->setEnabled(true);
        e->onSwitch->setEnabled(true);
        brightness(selectedBrightnessSlider, selectedBrightnessLabel, false);
        brightness(e->eventBrightnessSlider, e->eventBrightnessLabel, false);
        e->eventBrightnessSlider->setValue(9);
    }
    modulesOutline->viewport()->update();
}

// J. The other actions of the editor.
void Modules::repeat(QObject *)
{
    EventEditorView *e = editor;
    e->repeatDays->setEnabled(e->repeatSwitch->isChecked());
    if (e->repeatSwitch->isChecked())
        e->repeatDays->setFocus();
    setKeyboardLoop();
    saveEventData();
}

void Modules::today(QObject *)
{
    editor->date->setDate(::today());
}

void Modules::tomorrow(QObject *)
{
    editor->date->setDate(::today().addDays(1));
}

void Modules::eventOn(QObject *)
{
    const Module &module = modulesArray[currentModuleIndex];
    if (module.type == ModuleTypeLight || module.unit == CP290AllLightsUnit) {
        editor->eventBrightnessSlider->setEnabled(true);
        editor->eventBrightnessLabel->setEnabled(true);
    }
    saveEventData();
}

void Modules::eventOff(QObject *)
{
    editor->eventBrightnessSlider->setEnabled(false);
    editor->eventBrightnessSlider->setValue(9);
    editor->eventBrightnessLabel->setEnabled(false);
    saveEventData();
}

void Modules::eventChanged(QObject *)
{
    saveEventData();
}

void Modules::resetEvent(QObject *)
{
    setCurrentEvent(defaultEvent);
    saveEventData();
}
