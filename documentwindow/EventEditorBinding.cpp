#include "documentwindow/EventEditorBinding.h"

#include "document/ControlEnabling.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
#include "driver/DeviceOperations.h"
#include "sun/SunriseSunset.h"
#include "widgets/ClockFields.h"
#include "widgets/DocumentWindowView.h"
#include "widgets/EventEditorView.h"
#include "widgets/VekHideableNSTextField.h"
#include "widgets/VekNSOutlineView.h"

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

namespace {

QDate today()
{
    return EventEditorView::dateOf(GetDateTime());
}

SunTimes todaysSun()
{
    SetRiseSetTimes();
    return {gSunriseTime, gSunsetTime};
}

void enable(QSlider *slider, QLabel *label, bool enabled)
{
    slider->setEnabled(enabled);
    label->setEnabled(enabled);
}

}  // namespace

EventEditorBinding::EventEditorBinding(Modules &shown) : document(shown)
{
}

EventEditorView &EventEditorBinding::editor() const
{
    return *document.view()->editor;
}

void EventEditorBinding::connectEventEditor()
{
    defaultEvent = ::defaultEvent(GetDateTime());
    EventEditorView *e = &editor();
    const auto save = [this] { eventChanged(); };
    connect(e->onSwitch, &QRadioButton::clicked, this, [this] { eventOn(); });
    connect(e->offSwitch, &QRadioButton::clicked, this, [this] { eventOff(); });
    connect(e->eventBrightnessSlider, &QSlider::valueChanged, this,
            [e](int level) { e->eventBrightnessLabel->setText(EventEditorView::brightnessText(level)); });
    // Only the user's moves save: the value is set by then, a turn of the event loop later.
    connect(e->eventBrightnessSlider, &QSlider::actionTriggered, this,
            [this] { QTimer::singleShot(0, this, [this] { eventChanged(); }); });
    // Every change the user makes is saved: a step of the arrows or the wheel at once, what is
    // typed once it is finished.
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
    connect(e->helpButton, &QPushButton::clicked, this, [this, e] { document.showHelp(e->helpButton); });
}

void EventEditorBinding::applySelection()
{
    DocumentWindowView &window = *document.view();
    VekNSOutlineView &outline = *window.outline;
    const ModulesOutline &rows = document.outlineSource();
    const std::vector<Module> &modules = document.content().modules();
    std::vector<SelectedRow> selected;
    for (const int row : outline.selectedRows())
        selected.push_back({outline.levelForRow(row), &modules[static_cast<std::size_t>(rows.moduleIndexForOutlineRow(row))]});
    const DirectControls controls = directControlsFor(selected);
    window.onButton->setEnabled(controls.on);
    window.offButton->setEnabled(controls.off);
    enable(window.selectedBrightnessSlider, window.selectedBrightnessLabel, controls.brightness);
    window.newEventButton->setEnabled(controls.newEvent);
    window.deleteButton->setEnabled(controls.deleteRows);
    window.editButton->setEnabled(controls.edit);
    window.endEditButton->setEnabled(controls.endEdit);
    if (!selected.empty())
        saveEventData();
    if (selected.size() != 1) {
        window.drawerContent->setCurrentWidget(window.noEventsView);
        leaveEvent();
        return;
    }
    const int row = outline.selectedRow();
    if (controls.editorShown) {
        window.drawerContent->setCurrentWidget(&editor());
        setCurrent(rows.moduleIndexForOutlineRow(row), rows.eventIndexForOutlineRow(row));
        loadEventData();
        checkDaysWarning();
        outline.setFocus();
    } else {
        window.drawerContent->setCurrentWidget(window.noEventsView);
        setCurrent(rows.moduleIndexForOutlineRow(row), -1);
        moduleChanged();
    }
}

void EventEditorBinding::setCurrent(int module, int event)
{
    currentModuleIndex = module;
    currentEventIndex = event;
}

const Module &EventEditorBinding::currentModule() const
{
    return document.content().modules()[static_cast<std::size_t>(currentModuleIndex)];
}

const Event &EventEditorBinding::currentEvent() const
{
    return currentModule().events[static_cast<std::size_t>(currentEventIndex)];
}

// The controls from the current event.
void EventEditorBinding::loadEventData()
{
    if (!hasEvent())
        return;
    const Event &event = currentEvent();
    loadedFields = editorFieldsOf(event, currentModule(), event.has(EventClockTime) ? SunTimes {0, 0} : todaysSun());
    loadingEvent = true;
    editor().showFields(loadedFields);
    loadingEvent = false;
}

void EventEditorBinding::doDaysPopupChanged()
{
    const Event &stored = currentEventIndex >= 0 ? currentEvent() : defaultEvent;
    editor().showDaysPart(withDayRule(shownFields(), static_cast<uint16_t>(editor().daysPopup->currentIndex()), stored));
}

void EventEditorBinding::daysPopupChanged(QObject *)
{
    doDaysPopupChanged();
    saveEventData();
}

// The controls into the document. Controls that say what the event already holds change
// nothing (a selection change saves the event it leaves).
void EventEditorBinding::saveEventData()
{
    if (!hasEvent() || loadingEvent)
        return;
    const Event event = eventInLineWith(currentModule(), eventFromEditor(shownFields(), currentEvent()));
    if (event == currentEvent())
        return;
    // Edits of one field of one event follow each other into one step (typing, a slider dragged).
    const QString field = QString::fromStdString(eventChangeName(currentEvent(), event));
    const DocumentContent::NamedChange change(document.content(), tr("Change %1").arg(field),
                                              QStringLiteral("%1 %2.%3").arg(field).arg(currentModuleIndex).arg(currentEventIndex));
    setCurrentEvent(event);
    document.updateChangeCount();
}

// A new event in the editor's place.
void EventEditorBinding::setCurrentEvent(const Event &event)
{
    Module module = currentModule();
    module.events[static_cast<std::size_t>(currentEventIndex)] = eventInLineWith(module, event);
    document.content().replaceModule(currentModuleIndex, module);
    document.outline()->viewport()->update();
    loadEventData();
    checkDaysWarning();
}

// A sun switch turned on or off.
void EventEditorBinding::riseSet(QCheckBox *changed)
{
    editor().showTimeFields(withSunSwitch(shownFields(), changed == editor().sunriseSwitch, changed->isChecked(), todaysSun()), true);
}

void EventEditorBinding::sunrise(QObject *)
{
    riseSet(editor().sunriseSwitch);
    saveEventData();
}

void EventEditorBinding::sunset(QObject *)
{
    riseSet(editor().sunsetSwitch);
    saveEventData();
}

EditorFields EventEditorBinding::shownFields() const
{
    return editor().fields(loadedFields);
}

// The warning that no day is chosen. It stands over the drawer rather than on the weekdays'
// page, so another day rule hides it as leaving that page would.
void EventEditorBinding::checkDaysWarning()
{
    if (!hasEvent())
        return;
    if (noDayChosen(currentEvent()))
        editor().daysWarning->unHide();
    else
        editor().daysWarning->hide();
}

// The module's unit number and type applied to the controls.
void EventEditorBinding::moduleChanged()
{
    if (currentModuleIndex < 0)
        return;
    const ModuleControls controls = moduleControlsFor(currentModule());
    if (controls.type != currentModule().type) {
        Module module = currentModule();
        module.type = controls.type;
        document.content().replaceModule(currentModuleIndex, module);
    }
    DocumentWindowView &window = *document.view();
    EventEditorView &e = editor();
    window.onButton->setEnabled(controls.onButton);
    window.offButton->setEnabled(controls.offButton);
    enable(window.selectedBrightnessSlider, window.selectedBrightnessLabel, controls.selectedBrightness);
    if (controls.eventOff)
        e.offSwitch->setChecked(true);  // the On choice off: the pair is one choice
    e.onSwitch->setEnabled(controls.onSwitch);
    if (controls.eventBrightness)
        enable(e.eventBrightnessSlider, e.eventBrightnessLabel, *controls.eventBrightness);
    if (controls.fullBrightness)
        e.eventBrightnessSlider->setValue(9);
    window.outline->viewport()->update();
}

// The other actions of the editor.
void EventEditorBinding::repeat(QObject *)
{
    EventEditorView &e = editor();
    e.repeatDays->setEnabled(e.repeatSwitch->isChecked());
    if (e.repeatSwitch->isChecked())
        e.repeatDays->setFocus();
    saveEventData();
}

void EventEditorBinding::today(QObject *)
{
    editor().date->setDate(::today());
    saveEventData();
}

void EventEditorBinding::tomorrow(QObject *)
{
    editor().date->setDate(::today().addDays(1));
    saveEventData();
}

void EventEditorBinding::showSwitch(bool on)
{
    editor().showBrightness(withSwitch(shownFields(), on, currentModule()));
    saveEventData();
}

void EventEditorBinding::eventOn(QObject *)
{
    showSwitch(true);
}

void EventEditorBinding::eventOff(QObject *)
{
    showSwitch(false);
}

void EventEditorBinding::eventChanged(QObject *)
{
    saveEventData();
}

void EventEditorBinding::resetEvent(QObject *)
{
    if (!hasEvent() || eventInLineWith(currentModule(), defaultEvent) == currentEvent())
        return;
    const DocumentContent::NamedChange change(document.content(), tr("Reset Event"));
    setCurrentEvent(defaultEvent);
    document.updateChangeCount();
}
