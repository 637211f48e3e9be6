#pragma once

#include "document/TypedClockFields.h"

#include <QAbstractSpinBox>
#include <QDate>
#include <QTime>

// The event editor's time and date fields over the typing rules of the core: a whole time or
// date is typed at once, Up and Down (and the wheel) step the part the caret stands in, and Tab
// goes on to the next control. `edited` tells of every change the user makes, as soon as the
// text forms a value; setting a value from code tells nothing.
class ClockField : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit ClockField(QWidget *parent = nullptr);

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void edited();

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    virtual Typing typing(const std::string &text) const = 0;
    // Takes a finished text as the value; false when it is none.
    virtual bool take(const std::string &text) = 0;
    virtual std::string valueText() const = 0;
    virtual std::string widestText() const = 0;
    virtual void step(const std::string &text, int caret, int steps) = 0;
    void showValue();

private:
    void textEdited(const QString &text);
};

class TimeField : public ClockField {
    Q_OBJECT
public:
    explicit TimeField(QWidget *parent = nullptr) : ClockField(parent) { showValue(); }
    QTime time() const { return QTime(value.hour, value.minute); }
    void setTime(const QTime &time);

protected:
    Typing typing(const std::string &text) const override { return clockTimeTyping(text); }
    bool take(const std::string &text) override;
    std::string valueText() const override { return clockTimeText(value); }
    std::string widestText() const override { return clockTimeText({23, 58}); }
    void step(const std::string &text, int caret, int steps) override { value = steppedClockTime(value, text, caret, steps); }

private:
    ClockTime value;
};

class DateField : public ClockField {
    Q_OBJECT
public:
    explicit DateField(QWidget *parent = nullptr) : ClockField(parent) { showValue(); }
    QDate date() const { return QDate(value.year, value.month, value.day); }
    void setDate(const QDate &date);

protected:
    Typing typing(const std::string &text) const override { return calendarDayTyping(text); }
    bool take(const std::string &text) override;
    std::string valueText() const override { return calendarDayText(value); }
    std::string widestText() const override { return calendarDayText({2000, 12, 30}); }
    void step(const std::string &text, int caret, int steps) override
    {
        value = steppedCalendarDay(value, text, caret, steps);
    }

private:
    CalendarDay value {2000, 1, 1};
};
