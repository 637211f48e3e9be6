#pragma once

#include "document/CoordinateText.h"

#include <QDoubleSpinBox>

// A latitude or longitude field over the coordinate text rules: "74.00° W" rather than a minus
// sign before a number of degrees east. It may be left empty, when nothing says where the
// computer is.
class CoordinateField : public QDoubleSpinBox {
public:
    CoordinateField(CoordinateAxis axis, QWidget *parent);

    bool isEmpty() const { return text().trimmed().isEmpty(); }
    QString textFromValue(double value) const override;
    double valueFromText(const QString &text) const override;
    QValidator::State validate(QString &input, int &position) const override;

private:
    CoordinateAxis axis;
};
