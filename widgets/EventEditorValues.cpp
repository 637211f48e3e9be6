// The event editor's controls set from the editor's fields, and read back into them.

#include "document/FieldFormatters.h"
#include "widgets/ClockFields.h"
#include "widgets/EventEditorView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>

namespace {

constexpr uint16_t DayBits[7] = {EventSunday, EventMonday, EventTuesday, EventWednesday,
                                 EventThursday, EventFriday, EventSaturday};

uint32_t secondsOfTime(const QTime &time)
{
    return NSCalendarDateTimeToSeconds(makeDateTimeRec(0, 0, 0, time.hour(), time.minute(), time.second()));
}

uint32_t secondsOfDate(const QDate &date)
{
    return NSCalendarDateDateToSeconds(makeDateTimeRec(date.year(), date.month(), date.day()));
}

}  // namespace

QTime EventEditorView::timeOf(uint32_t seconds)
{
    const DateTimeRec rec = SecondsToNSCalendarDate(seconds);
    return QTime(rec.hour, rec.minute, rec.second);
}

QDate EventEditorView::dateOf(uint32_t seconds)
{
    const DateTimeRec rec = SecondsToNSCalendarDate(seconds);
    return QDate(rec.year, rec.month, rec.day);
}

void EventEditorView::showFields(const EditorFields &fields)
{
    EventEditorView *e = this;
    e->onSwitch->setEnabled(fields.onEnabled);
    (fields.on ? e->onSwitch : e->offSwitch)->setChecked(true);
    showBrightness(fields);
    e->offsetSign->setText(fields.offsetMinus ? QStringLiteral("-") : QStringLiteral("+"));
    offsetShown = QString::fromStdString(timeOffsetFormatter::stringForObjectValue(SecondsToNSCalendarDate(fields.offset)));
    e->offset->setText(offsetShown);
    showTimeFields(fields, false);
    e->repeatDays->setValue(fields.repeatDays);
    e->date->setDate(dateOf(fields.date));
    e->daysPopup->setCurrentIndex(fields.dayRule);
    showDaysPart(fields);
}

void EventEditorView::showBrightness(const EditorFields &fields)
{
    eventBrightnessSlider->setEnabled(fields.brightnessEnabled);
    eventBrightnessLabel->setEnabled(fields.brightnessEnabled);
    eventBrightnessSlider->setValue(fields.brightness);
}

// The time or the sun switches with the offset. The focus moves only when the user turned a sun
// switch: a reload after every save would otherwise pull the focus back while the user tabs on.
void EventEditorView::showTimeFields(const EditorFields &fields, bool moveFocus)
{
    EventEditorView *e = this;
    e->sunriseSwitch->setChecked(fields.sunrise);
    e->sunsetSwitch->setChecked(fields.sunset);
    e->time->setTime(timeOf(fields.time));
    e->time->setEnabled(fields.timeEnabled());
    e->offset->setEnabled(fields.offsetEnabled());
    e->offsetSign->setEnabled(fields.offsetEnabled());
    if (moveFocus)
        (fields.offsetEnabled() ? static_cast<QWidget *>(e->offsetSign) : e->time)->setFocus();
}

// The part of the editor that belongs to the chosen day rule.
void EventEditorView::showDaysPart(const EditorFields &fields)
{
    EventEditorView *e = this;
    switch (fields.daysPage()) {
    case DaysPage::Weekdays:
        e->dateBox->setCurrentWidget(e->everyView);
        for (int day = 0; day < 7; ++day)
            e->daySwitch(day)->setChecked(fields.days & DayBits[day]);
        break;
    case DaysPage::Date:
        e->dateBox->setCurrentWidget(e->dateView);
        e->date->setDate(dateOf(fields.date));
        e->repeatSwitch->setChecked(fields.repeat);
        e->repeatDays->setEnabled(fields.repeat);
        e->repeatDays->setValue(fields.repeatDays);
            break;
    case DaysPage::Nothing:
        e->dateBox->setCurrentWidget(e->emptyDaysView);
        break;
    }
    e->securitySwitch->setChecked(fields.security);
    e->securitySwitch->setEnabled(fields.securityEnabled());
}

// What the controls now say, over what was loaded.
void EventEditorView::commitTyping()
{
    time->commit();
    date->commit();
    if (!offset->hasAcceptableInput()) {
        QApplication::beep();
        offset->setText(offsetShown);
    }
}

EditorFields EventEditorView::fields(const EditorFields &loaded) const
{
    const EventEditorView *e = this;
    EditorFields fields = loaded;
    fields.on = e->onSwitch->isChecked();
    fields.brightness = e->eventBrightnessSlider->value();
    // The field shows minutes: a loaded time with seconds (a new event's "now") is what it shows.
    const QTime loadedTime = timeOf(loaded.time);
    if (e->time->time() != QTime(loadedTime.hour(), loadedTime.minute()))
        fields.time = secondsOfTime(e->time->time());
    fields.offsetMinus = e->offsetSign->text() == QLatin1String("-");
    if (const auto typed = timeOffsetFormatter::objectValueForString(e->offset->text().toStdString()))
        fields.offset = static_cast<uint32_t>(typed->hour * 3600 + typed->minute * 60);
    fields.sunrise = e->sunriseSwitch->isChecked();
    fields.sunset = e->sunsetSwitch->isChecked();  // one sun at a time is the core's rule (eventFromEditor)
    fields.security = e->securitySwitch->isChecked();
    fields.dayRule = static_cast<uint16_t>(std::max(0, e->daysPopup->currentIndex()) & EventDaysMask);
    // Only the page of the day rule is on screen: the controls of the other page still show the
    // event looked at before, and say nothing of this one.
    if (fields.daysPage() == DaysPage::Date) {
        if (e->date->date() != dateOf(loaded.date))
            fields.date = secondsOfDate(e->date->date());
        fields.repeat = e->repeatSwitch->isChecked();
        fields.repeatDays = static_cast<uint16_t>(e->repeatDays->value());
    }
    if (fields.daysPage() == DaysPage::Weekdays) {
        fields.days = 0;
        for (int day = 0; day < 7; ++day)
            if (e->daySwitch(day)->isChecked())
                fields.days |= DayBits[day];
    }
    return fields;
}

