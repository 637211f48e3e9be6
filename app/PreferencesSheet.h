#pragma once

#include "platform/Location.h"

#include <QDialog>
#include <optional>

class CoordinateField;
class MqttSettingsBox;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// The preferences sheet: the background helper on or off, the place sunrise and sunset are
// computed for, with today's times beside it, and the helper's bridge to Home Assistant.
class PreferencesSheet : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesSheet(QWidget *parent = nullptr);

    QCheckBox *helperCheckbox;
    CoordinateField *latitude;
    CoordinateField *longitude;
    QDoubleSpinBox *gmtOffsetHours;
    QLabel *sunTimes;
    MqttSettingsBox *mqttBox;
    QPushButton *doneButton;
    QPushButton *helpButton;

    enum class Origin { SetByUser, TimeZone, NotKnown };
    void showLocation(const Location &location, Origin origin);
    // The place as the fields show it; nothing while latitude or longitude is left empty.
    std::optional<Location> location() const;
    bool locationEdited() const { return edited; }

private:
    void updateSunTimes();
    bool edited = false;
    bool showing = false;
    QLabel *originLabel;
};
