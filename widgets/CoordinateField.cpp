#include "widgets/CoordinateField.h"

CoordinateField::CoordinateField(CoordinateAxis which, QWidget *parent) : QDoubleSpinBox(parent), axis(which)
{
    const double limit = which == CoordinateAxis::Latitude ? 90 : 180;
    setRange(-limit, limit);
    setDecimals(2);
    setSingleStep(1);
}

QString CoordinateField::textFromValue(double value) const
{
    return QString::fromStdString(coordinateText(value, axis));
}

double CoordinateField::valueFromText(const QString &text) const
{
    return coordinateFromText(text.toStdString(), axis).value_or(value());
}

QValidator::State CoordinateField::validate(QString &input, int &) const
{
    return coordinateFromText(input.toStdString(), axis) ? QValidator::Acceptable : QValidator::Intermediate;
}
