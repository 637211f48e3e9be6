#include "document/EditorFields.h"

#include "driver/DeviceOperations.h"

namespace {

constexpr uint16_t WeekBits = EventAllDays;

uint32_t timeOfDay(uint32_t seconds)
{
    const DateTimeRec date = SecondsToNSCalendarDate(seconds);
    return NSCalendarDateTimeToSeconds(makeDateTimeRec(0, 0, 0, date.hour, date.minute, date.second));
}

bool dimmable(const Module &module)
{
    return module.type != ModuleTypeAppliance && module.unit != CP290AllModulesUnit;
}

}  // namespace

DaysPage EditorFields::daysPage() const
{
    switch (dayRule) {
    case EventDaysOfWeek:
        return DaysPage::Weekdays;
    case EventOnDate:
        return DaysPage::Date;
    default:
        return DaysPage::Nothing;
    }
}

EditorFields withDayRule(EditorFields fields, uint16_t rule, const Event &stored)
{
    fields.dayRule = rule;
    fields.security = rule == EventDaysOfWeek && stored.has(EventSecurity);
    if (rule == EventDaysOfWeek)
        fields.days = stored.Flags & WeekBits;
    if (rule == EventOnDate) {
        fields.date = stored.Date;
        fields.repeat = stored.has(EventRepeatDays);
        fields.repeatDays = stored.Repeat;
    }
    return fields;
}

EditorFields editorFieldsOf(const Event &event, const Module &module, SunTimes sun)
{
    EditorFields fields;
    // The On choice follows the event's own module, not the module row selected before it.
    fields.onEnabled = module.unit != CP290AllModulesUnit;
    fields.on = event.has(EventOn);
    fields.brightnessEnabled = fields.on && dimmable(module);
    fields.brightness = event.Brightness;
    fields.offsetMinus = event.has(EventOffsetMinus);
    fields.offset = event.Adjust;
    fields.sunrise = event.has(EventSunrise);
    fields.sunset = !fields.sunrise && event.has(EventSunset);
    fields.time = fields.sunrise ? sun.sunrise : fields.sunset ? sun.sunset : timeOfDay(event.Time);
    fields.loadedTime = fields.time;
    fields.repeatDays = event.Repeat;
    fields.date = event.Date;
    fields.days = event.Flags & WeekBits;
    fields.repeat = event.has(EventRepeatDays);
    return withDayRule(fields, event.dayRule(), event);
}

EditorFields withSunSwitch(EditorFields fields, bool sunrise, bool turnedOn, SunTimes sun)
{
    (sunrise ? fields.sunrise : fields.sunset) = turnedOn;
    if (turnedOn) {
        (sunrise ? fields.sunset : fields.sunrise) = false;
        fields.time = sunrise ? sun.sunrise : sun.sunset;
    }
    return fields;
}

EditorFields withSwitch(EditorFields fields, bool on, const Module &module)
{
    fields.on = on;
    if (!on) {
        fields.brightnessEnabled = false;
        fields.brightness = 9;
    } else if (module.type == ModuleTypeLight || module.unit == CP290AllLightsUnit) {
        fields.brightnessEnabled = true;
    }
    return fields;
}

Event eventFromEditor(const EditorFields &fields, Event previous)
{
    Event event = previous;
    event.Flags = fields.on ? EventOn : 0;
    event.Brightness = static_cast<uint16_t>(fields.brightness);
    if (fields.time != fields.loadedTime)
        event.Time = fields.time;
    if (fields.offsetMinus)
        event.Flags |= EventOffsetMinus;
    event.Adjust = fields.offset;
    event.Flags |= fields.sunrise ? EventSunrise : fields.sunset ? EventSunset : EventClockTime;
    if (fields.security)
        event.Flags |= EventSecurity;
    event.Flags |= fields.dayRule & EventDaysMask;
    event.Date = fields.date;
    event.Repeat = fields.repeatDays;
    if (fields.repeat)
        event.Flags |= EventRepeatDays;
    event.Flags |= fields.days & WeekBits;
    return event;
}

std::string eventChangeName(const Event &before, const Event &after)
{
    const auto flagsDiffer = [&](uint16_t mask) { return (before.Flags & mask) != (after.Flags & mask); };
    if (flagsDiffer(EventOn))
        return "On or Off";
    if (before.Brightness != after.Brightness)
        return "Brightness";
    if (flagsDiffer(EventSunrise | EventSunset | EventClockTime))
        return "Sunrise or Sunset";
    if (before.Time != after.Time)
        return "Time";
    if (before.Adjust != after.Adjust || flagsDiffer(EventOffsetMinus))
        return "Offset";
    if (flagsDiffer(EventSecurity))
        return "Security";
    if (flagsDiffer(EventDaysMask))
        return "Day Rule";
    if (flagsDiffer(EventAllDays))
        return "Days";
    if (before.Date != after.Date)
        return "Date";
    return "Repeat";
}
