#include "app/PreferencesSheet.h"

#include "app/MqttSettingsBox.h"
#include "platform/DateTime.h"
#include "platform/qt/ContextHelp.h"
#include "widgets/CoordinateField.h"
#include "sun/SunriseSunset.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

QDoubleSpinBox *spinBox(double low, double high, double step, const QString &suffix, QWidget *parent)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setDecimals(2);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

PreferencesSheet::PreferencesSheet(QWidget *parent) : QDialog(parent, Qt::Sheet)
{
    setObjectName(QStringLiteral("preferencesWindow"));
    setWindowTitle(tr("Preferences"));
    helperCheckbox = new QCheckBox(tr("Download the events again every day with the background helper"), this);
    latitude = new CoordinateField(CoordinateAxis::Latitude, this);
    longitude = new CoordinateField(CoordinateAxis::Longitude, this);
    gmtOffsetHours = spinBox(-14, 14, 0.5, tr(" h east of Greenwich"), this);
    sunTimes = new QLabel(this);
    originLabel = new QLabel(this);
    originLabel->setWordWrap(true);
    originLabel->setForegroundRole(QPalette::PlaceholderText);
    doneButton = new QPushButton(tr("Done"), this);
    doneButton->setDefault(true);
    helpButton = newHelpButton(QStringLiteral("Preferences..."), this);
    setHelpAnchor(this, QStringLiteral("Preferences..."));
    setHelpAnchor(helperCheckbox, QStringLiteral("Background helper"));

    auto *place = new QGroupBox(tr("Location for sunrise and sunset"), this);
    setHelpAnchor(place, QStringLiteral("Location"));
    auto *form = new QFormLayout(place);
    form->addRow(tr("Latitude:"), latitude);
    form->addRow(tr("Longitude:"), longitude);
    form->addRow(tr("Offset:"), gmtOffsetHours);
    form->addRow(tr("Today:"), sunTimes);
    form->addRow(QString(), originLabel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(helperCheckbox);
    layout->addWidget(place);
    mqttBox = new MqttSettingsBox(this);
    layout->addWidget(mqttBox);
    auto *buttons = new QHBoxLayout();
    buttons->addWidget(helpButton);
    buttons->addStretch();
    buttons->addWidget(doneButton);
    layout->addLayout(buttons);

    for (QDoubleSpinBox *box : {static_cast<QDoubleSpinBox *>(latitude), static_cast<QDoubleSpinBox *>(longitude), gmtOffsetHours})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            if (showing)
                return;
            edited = true;
            originLabel->setText(tr("As you set it."));
            updateSunTimes();
        });
}

void PreferencesSheet::showLocation(const Location &place, Origin origin)
{
    showing = true;
    latitude->setValue(place.latitude);
    longitude->setValue(place.longitude);
    gmtOffsetHours->setValue(place.gmtOffset / 3600.0);
    showing = false;
    edited = false;
    if (origin == Origin::NotKnown) {
        // Nothing says where this computer is: show no place rather than 0 degrees, 0 degrees.
        latitude->clear();
        longitude->clear();
        originLabel->setText(tr("Not known: the time zone of this computer names no place. Set the latitude and longitude."));
        sunTimes->setText(tr("not known until the location is set"));
        return;
    }
    originLabel->setText(origin == Origin::TimeZone ? tr("From the time zone of this computer.") : tr("As you set it."));
    updateSunTimes();
}

std::optional<Location> PreferencesSheet::location() const
{
    if (latitude->isEmpty() || longitude->isEmpty())
        return std::nullopt;
    return Location {latitude->value(), longitude->value(), static_cast<int32_t>(std::lround(gmtOffsetHours->value() * 3600))};
}

void PreferencesSheet::updateSunTimes()
{
    const std::optional<Location> place = location();
    if (!place) {
        sunTimes->setText(tr("not known until the location is set"));
        return;
    }
    const std::optional<Location> before = locationOverride();
    setLocationOverride(place);
    SetRiseSetTimes();
    setLocationOverride(before);
    if (gSunriseTime == SunNeverRisesOrSets) {
        sunTimes->setText(tr("no sunrise or sunset"));
        return;
    }
    DateTimeRec rise, set;
    SecondsToDate(gSunriseTime, &rise);
    SecondsToDate(gSunsetTime, &set);
    sunTimes->setText(tr("sunrise %1, sunset %2")
                          .arg(QString::asprintf("%02d:%02d", rise.hour, rise.minute), QString::asprintf("%02d:%02d", set.hour, set.minute)));
}
