#pragma once

#include "document/TypedClockFields.h"

#include <QAbstractSpinBox>
#include <QDate>
#include <QTime>

// The event editor's time and date fields over the typing rules of the core: a whole time or
// date is typed at once, Up and Down (and the wheel) step the part the caret stands in, and Tab
// goes on to the next control. What is typed is taken whole when it is finished (Return, Tab,
// the focus leaving, or `commit`), or refused whole with a beep, the field showing its value
// again. `edited` tells of every change the user makes, typed or stepped; setting a value from
// code tells nothing.
class ClockField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit ClockField(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // Takes what is typed, or refuses it: before a command acts on the document.
    void commit();

signals:
    void edited();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    virtual bool isValue(const std::string &text) const = 0;
    // Takes a finished text as the value; false when it is none or the value already.
    virtual bool take(const std::string &text) = 0;
    virtual std::string valueText() const = 0;
    virtual std::string widestText() const = 0;
    virtual void step(const std::string &text, int caret, int steps) = 0;
    void showValue();
};

// A field of one kind of value, with the rules of that kind.
template <typename Value, typename Rules>
class RuledField : public ClockField {
public:
    explicit RuledField(QWidget *parent) : ClockField(parent) { showValue(); }

protected:
    // The value coming back from a save of what is being typed leaves the typing as it stands.
    void setValue(const Value &set)
    {
        if (set == value && hasFocus())
            return;
        value = set;
        showValue();
    }
    bool isValue(const std::string &text) const override { return Rules::fromText(text).has_value(); }
    bool take(const std::string &text) override
    {
        const std::optional<Value> typed = Rules::fromText(text);
        if (!typed || *typed == value)
            return false;
        value = *typed;
        return true;
    }
    std::string valueText() const override { return Rules::text(value); }
    std::string widestText() const override { return Rules::text(Rules::widest); }
    void step(const std::string &text, int caret, int steps) override { value = Rules::stepped(value, text, caret, steps); }

    Value value = Rules::initial;
};

struct ClockTimeRules {
    static constexpr auto fromText = clockTimeFromText;
    static constexpr auto text = clockTimeText;
    static constexpr auto stepped = steppedClockTime;
    static constexpr ClockTime initial {0, 0};
    static constexpr ClockTime widest {23, 58};
};

struct CalendarDayRules {
    static constexpr auto fromText = calendarDayFromText;
    static constexpr auto text = calendarDayText;
    static constexpr auto stepped = steppedCalendarDay;
    static constexpr CalendarDay initial {2000, 1, 1};
    static constexpr CalendarDay widest {2000, 12, 30};
};

class TimeField : public RuledField<ClockTime, ClockTimeRules> {
public:
    explicit TimeField(QWidget *parent = nullptr) : RuledField(parent) {}
    QTime time() const { return QTime(value.hour, value.minute); }
    void setTime(const QTime &time) { setValue({time.hour(), time.minute()}); }
};

class DateField : public RuledField<CalendarDay, CalendarDayRules> {
public:
    explicit DateField(QWidget *parent = nullptr) : RuledField(parent) {}
    QDate date() const { return QDate(value.year, value.month, value.day); }
    void setDate(const QDate &date) { setValue({date.year(), date.month(), date.day()}); }
};
