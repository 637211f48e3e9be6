#include "widgets/ClockFields.h"
#include "widgets/EventEditorView.h"
#include "widgets/VekHideableNSTextField.h"
#include "tests/support/Dates.h"
#include "tests/support/Events.h"
#include "tests/support/WindowTests.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

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

}  // namespace

// The controls as the mouse uses them, Today, Reset, the repeat counts, direct switching and the
// download are walked in tests/real/event-editor.sh; what the controls mean is the core's
// (EditorFields). Here: every field of an event loads, and the fields no rule uses survive a save.
TEST(EventEditor, EveryFieldLoadsAndSavesBackAsItWas)
{
    QTemporaryDir folder;
    DocumentController documents;
    DocumentFileContent content;
    content.modules = {module(0, 1, {weekdayLamp()})};
    content.modules[0].expanded = true;
    Modules *document = openDocument(documents, folder, content);
    ASSERT_NE(document, nullptr);
    document->showHideEvents();
    document->outline()->selectRowByExtendingSelection(1, false);
    const EventEditorView *editor = document->eventEditor();
    EXPECT_EQ(std::tuple(editor->onSwitch->isChecked(), editor->eventBrightnessSlider->value(), editor->eventBrightnessLabel->text(),
                         editor->time->time(), editor->sunriseSwitch->isChecked(), editor->offsetSign->text() + editor->offset->text(),
                         editor->offset->isEnabled(), editor->daysPopup->currentIndex(), editor->dateBox->currentWidget() == editor->everyView,
                         editor->sundaySwitch->isChecked(), editor->mondaySwitch->isChecked(), editor->date->date(),
                         editor->repeatDays->value(), editor->daysWarning->hidden()),
              std::tuple(true, 4, QString("50.0%"), QTime(7, 0), false, QString("-00:10"), false, 0, true, false, true,
                         QDate(2026, 3, 1), 3, true));
    editor->securitySwitch->click();
    EXPECT_TRUE(document->modules()[0].events[0].has(EventSecurity));
    editor->securitySwitch->click();
    EXPECT_EQ(document->modules()[0].events[0], weekdayLamp()) << "fields the rule does not use keep their values";
    EXPECT_TRUE(document->isDocumentEdited());
}
