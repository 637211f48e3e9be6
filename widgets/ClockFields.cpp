#include "widgets/ClockFields.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

ClockField::ClockField(QWidget *parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(false);
    connect(this, &QAbstractSpinBox::editingFinished, this, &ClockField::commit);
}

// Whatever is typed stays in the field until it is finished: a keystroke that cannot lead to a
// value is not swallowed, so that no fragment of it ("2" of "24:00") passes for what was meant.
QValidator::State ClockField::validate(QString &input, int &) const
{
    return isValue(input.toStdString()) ? QValidator::Acceptable : QValidator::Intermediate;
}

// Left unfinished, the field shows its value again.
void ClockField::fixup(QString &input) const
{
    input = QString::fromStdString(valueText());
}

void ClockField::commit()
{
    const std::string text = lineEdit()->text().toStdString();
    const bool complete = isValue(text);
    const bool changed = complete && take(text);
    if (!complete)
        QApplication::beep();
    showValue();  // a finished text in the field's own form ("19:05" becomes "7:05 PM"), a refused one gone
    if (changed)
        emit edited();
}

void ClockField::stepBy(int steps)
{
    const int caret = lineEdit()->cursorPosition();
    step(lineEdit()->text().toStdString(), caret, steps);
    showValue();
    lineEdit()->setCursorPosition(std::min(caret, static_cast<int>(lineEdit()->text().size())));
    emit edited();
}

QSize ClockField::sizeHint() const
{
    ensurePolished();
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    // The widest text with room for the caret and the line edit's own margins, so that it never
    // scrolls its first digit out of sight.
    const QMargins margins = lineEdit()->textMargins();
    const QSize text(fontMetrics().horizontalAdvance(QString::fromStdString(widestText())) + fontMetrics().averageCharWidth() * 2 +
                         margins.left() + margins.right() + 6,
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

// The same text shown again is left alone, with what is selected in it (a menu opened over the
// field finishes its editing).
void ClockField::showValue()
{
    const QString text = QString::fromStdString(valueText());
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
}
