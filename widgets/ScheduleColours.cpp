#include "widgets/ScheduleColours.h"

#include <algorithm>
#include <cmath>

namespace {

double channel(double value)
{
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

QColor mixed(const QColor &a, const QColor &b, double share)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * share),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * share),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * share));
}

// `colour` moved toward black or white, away from the two backgrounds, until it stands out from
// both by the least contrast.
QColor standingOut(QColor colour, const QColor &day, const QColor &night)
{
    const bool darkBackground = luminance(day) < 0.2;
    const QColor away = darkBackground ? QColor(Qt::white) : QColor(Qt::black);
    for (double share = 0; share <= 1.0; share += 0.05) {
        const QColor tried = mixed(colour, away, share);
        if (std::min(ScheduleColours::contrast(tried, day), ScheduleColours::contrast(tried, night)) >= ScheduleColours::LeastContrast + 0.05)
            return tried;
    }
    return away;
}

}  // namespace

double ScheduleColours::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ScheduleColours ScheduleColours::fromPalette(const QPalette &palette)
{
    ScheduleColours colours;
    colours.day = palette.color(QPalette::Base);
    colours.text = palette.color(QPalette::Text);
    const bool dark = luminance(colours.day) < 0.2;
    // Night is darker than day in both palettes: toward the text on a light one, toward black on a dark one.
    colours.night = dark ? mixed(colours.day, Qt::black, 0.45) : mixed(colours.day, colours.text, 0.16);
    colours.grid = mixed(colours.day, colours.text, 0.3);
    colours.accent = standingOut(palette.color(QPalette::Highlight), colours.day, colours.night);
    colours.now = standingOut(QColor(220, 50, 47), colours.day, colours.night);
    return colours;
}

QColor ScheduleColours::levelFill(int brightness) const
{
    const double paler = 0.55 * (9 - std::clamp(brightness, 1, 9)) / 8.0;
    return mixed(accent, day, paler);
}
