#include "widgets/ClockFields.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

ClockField::ClockField(QWidget *parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ClockField::textEdited);
    // A finished text shows in the field's own form ("19:05" becomes "7:05 PM").
    connect(this, &QAbstractSpinBox::editingFinished, this, &ClockField::showValue);
}

QValidator::State ClockField::validate(QString &input, int &) const
{
    switch (typing(input.toStdString())) {
    case Typing::Complete:
        return QValidator::Acceptable;
    case Typing::Unfinished:
        return QValidator::Intermediate;
    default:
        return QValidator::Invalid;
    }
}

// Left unfinished, the field shows its value again.
void ClockField::fixup(QString &input) const
{
    input = QString::fromStdString(valueText());
}

void ClockField::textEdited(const QString &text)
{
    if (take(text.toStdString()))
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
    const QSize text(fontMetrics().horizontalAdvance(QString::fromStdString(widestText()) + QStringLiteral("  ")),
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

void ClockField::showValue()
{
    lineEdit()->setText(QString::fromStdString(valueText()));
}
