// The event editor of a module document: the drawer's controls loaded from and saved into the
// event selected in the outline, and the window's buttons following the selection.

#include "document/ControlEnabling.h"
#include "document/EditorFields.h"
#include "widgets/ClockFields.h"
#include "widgets/EventEditorView.h"
#include "document/ModuleCells.h"
#include "documentwindow/Modules.h"
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
    connect(e->helpButton, &QPushButton::clicked, this, [this, e] { showHelp(e->helpButton); });
}

// The selection changed. The current state of the history keeps it, unless a command is
// under way: then it belongs to the state after the command.
void Modules::outlineViewSelectionDidChange()
{
    applySelection();
    if (changesUnderWay == 0)
        history.setSelection(modulesOutline->selectedRows());
}

void Modules::applySelection()
{
    std::vector<SelectedRow> selected;
    for (const int row : modulesOutline->selectedRows())
        selected.push_back({modulesOutline->levelForRow(row), &modulesArray[moduleIndexForOutlineRow(row)]});
    const DirectControls controls = directControlsFor(selected);
    onButton->setEnabled(controls.on);
    offButton->setEnabled(controls.off);
    enable(selectedBrightnessSlider, selectedBrightnessLabel, controls.brightness);
    newEventButton->setEnabled(controls.newEvent);
    deleteButton->setEnabled(controls.deleteRows);
    editButton->setEnabled(controls.edit);
    endEditButton->setEnabled(controls.endEdit);
    if (!selected.empty())
        saveEventData();
    if (selected.size() != 1) {
        drawerContent->setCurrentWidget(noEventsView);
        currentModuleIndex = currentEventIndex = -1;
        return;
    }
    const int row = modulesOutline->selectedRow();
    currentModuleIndex = moduleIndexForOutlineRow(row);
    if (controls.editorShown) {
        drawerContent->setCurrentWidget(editor);
        currentEventIndex = eventIndexForOutlineRow(row);
        loadEventData();
        checkDaysWarning();
        modulesOutline->setFocus();
    } else {
        drawerContent->setCurrentWidget(noEventsView);
        currentEventIndex = -1;
        moduleChanged();
    }
}

const Event &Modules::currentEvent() const
{
    return modulesArray[currentModuleIndex].events[currentEventIndex];
}

// The controls from the current event.
void Modules::loadEventData()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0)
        return;
    const Event &event = currentEvent();
    loadedFields = editorFieldsOf(event, modulesArray[currentModuleIndex],
                                  event.has(EventClockTime) ? SunTimes {0, 0} : todaysSun());
    loadingEvent = true;
    editor->showFields(loadedFields);
    loadingEvent = false;
}

void Modules::doDaysPopupChanged()
{
    const Event &stored = currentEventIndex >= 0 ? currentEvent() : defaultEvent;
    editor->showDaysPart(withDayRule(shownFields(), static_cast<uint16_t>(editor->daysPopup->currentIndex()), stored));
}

void Modules::daysPopupChanged(QObject *)
{
    doDaysPopupChanged();
    saveEventData();
}

// The controls into the document. Controls that say what the event already holds change
// nothing (a selection change saves the event it leaves).
void Modules::saveEventData()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0 || loadingEvent)
        return;
    const Event event = eventFromEditor(shownFields(), currentEvent());
    if (eventInLineWith(modulesArray[currentModuleIndex], event) == currentEvent())
        return;
    // Edits of one field of one event follow each other into one step (typing, a slider dragged).
    const QString field = QString::fromStdString(eventChangeName(currentEvent(), eventInLineWith(modulesArray[currentModuleIndex], event)));
    const NamedChange change(*this, tr("Change %1").arg(field),
                             QStringLiteral("%1 %2.%3").arg(field).arg(currentModuleIndex).arg(currentEventIndex));
    setCurrentEvent(event);
    updateChangeCount(true);
}

// A new event in the editor's place.
void Modules::setCurrentEvent(const Event &event)
{
    Module module = modulesArray[currentModuleIndex];
    module.events[currentEventIndex] = eventInLineWith(module, event);
    replaceModule(currentModuleIndex, module);
    modulesOutline->viewport()->update();
    loadEventData();
    checkDaysWarning();
}

// A sun switch turned on or off.
void Modules::riseSet(QCheckBox *changed)
{
    editor->showTimeFields(withSunSwitch(shownFields(), changed == editor->sunriseSwitch, changed->isChecked(), todaysSun()), true);
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

EditorFields Modules::shownFields() const
{
    return editor->fields(loadedFields);
}

// The warning that no day is chosen. It stands over the drawer rather than on the weekdays'
// page, so another day rule hides it as leaving that page would.
void Modules::checkDaysWarning()
{
    if (currentModuleIndex < 0 || currentEventIndex < 0)
        return;
    if (noDayChosen(currentEvent()))
        editor->daysWarning->unHide();
    else
        editor->daysWarning->hide();
}

// The module's unit number and type applied to the controls.
void Modules::moduleChanged()
{
    if (currentModuleIndex < 0)
        return;
    const ModuleControls controls = moduleControlsFor(modulesArray[currentModuleIndex]);
    if (controls.type != modulesArray[currentModuleIndex].type) {
        Module module = modulesArray[currentModuleIndex];
        module.type = controls.type;
        replaceModule(currentModuleIndex, module);
    }
    EventEditorView *e = editor;
    onButton->setEnabled(controls.onButton);
    offButton->setEnabled(controls.offButton);
    enable(selectedBrightnessSlider, selectedBrightnessLabel, controls.selectedBrightness);
    if (controls.eventOff)
        e->offSwitch->setChecked(true);  // the On choice off: the pair is one choice
    e->onSwitch->setEnabled(controls.onSwitch);
    if (controls.eventBrightness)
        enable(e->eventBrightnessSlider, e->eventBrightnessLabel, *controls.eventBrightness);
    if (controls.fullBrightness)
        e->eventBrightnessSlider->setValue(9);
    modulesOutline->viewport()->update();
}

// The other actions of the editor.
void Modules::repeat(QObject *)
{
    EventEditorView *e = editor;
    e->repeatDays->setEnabled(e->repeatSwitch->isChecked());
    if (e->repeatSwitch->isChecked())
        e->repeatDays->setFocus();
    saveEventData();
}

void Modules::today(QObject *)
{
    editor->date->setDate(::today());
    saveEventData();
}

void Modules::tomorrow(QObject *)
{
    editor->date->setDate(::today().addDays(1));
    saveEventData();
}

void Modules::eventOn(QObject *)
{
    editor->showBrightness(withSwitch(shownFields(), true, modulesArray[currentModuleIndex]));
    saveEventData();
}

void Modules::eventOff(QObject *)
{
    editor->showBrightness(withSwitch(shownFields(), false, modulesArray[currentModuleIndex]));
    saveEventData();
}

void Modules::commitEditing()
{
    if (!thisWindow)
        return;
    endEditingInWindow();
    editor->commitTyping();
    saveEventData();
}

void Modules::eventChanged(QObject *)
{
    saveEventData();
}

void Modules::resetEvent(QObject *)
{
    if (currentModuleIndex < 0 || currentEventIndex < 0
        || eventInLineWith(modulesArray[currentModuleIndex], defaultEvent) == currentEvent())
        return;
    const NamedChange change(*this, tr("Reset Event"));
    setCurrentEvent(defaultEvent);
    updateChangeCount(true);
}
