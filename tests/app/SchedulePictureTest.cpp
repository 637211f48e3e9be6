// The Schedule's picture as it renders, offscreen: what a person sees of its colours.
#include "tests/support/Events.h"
#include "widgets/ScheduleColours.h"
#include "widgets/SchedulePicture.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QPalette darkPalette()
{
    QPalette dark;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(group, QPalette::Window, QColor(45, 45, 48));
        dark.setColor(group, QPalette::Base, QColor(30, 30, 32));
        dark.setColor(group, QPalette::Text, QColor(225, 225, 225));
        dark.setColor(group, QPalette::WindowText, QColor(225, 225, 225));
        dark.setColor(group, QPalette::Mid, QColor(80, 80, 84));
        dark.setColor(group, QPalette::Highlight, QColor(42, 130, 218));
    }
    return dark;
}

}  // namespace

// In the light palette and a dark one, rendered: a mark's ring and a bar's edge stand out 3:1 from
// the day and from the night behind them, and night is darker than day.
TEST(SchedulePicture, MarksAndBarsStandOutAndNightIsDarkerInBothPalettes)
{
    for (const bool dark : {false, true}) {
        SchedulePicture picture;
        picture.setPalette(dark ? darkPalette() : QApplication::palette());
        picture.resize(1000, 200);
        SchedulePicture::Day day;
        day.sunriseMinute = 7 * 60;
        day.sunsetMinute = 17 * 60;
        day.modules = {module(0, 1, {clockEvent(EventOn | EventAllDays, 3, 0), clockEvent(EventAllDays, 12, 0)}),
                       module(0, 2, {clockEvent(EventOn | EventAllDays, 19, 0, 3)})};
        day.marks = {{0, 0, 3 * 60, true, 9}, {0, 1, 12 * 60, false, 0}, {1, 0, 19 * 60, true, 3}};
        picture.setDay(day);
        const QImage image = picture.grab().toImage();
        const auto colourAt = [&image](QPoint at) { return image.pixelColor(at); };
        const int laneTop = picture.markCentre(day.marks[0]).y() - picture.laneHeight() / 2;
        const QColor nightColour = colourAt({picture.markCentre(day.marks[0]).x() - 20, laneTop + 2});
        const QColor dayColour = colourAt({picture.markCentre(day.marks[1]).x() + 30, laneTop + 2});
        EXPECT_LT(nightColour.lightnessF(), dayColour.lightnessF()) << (dark ? "dark" : "light");

        // The off mark at noon stands in the day; the ring is its outer pixels.
        const QPoint noon = picture.markCentre(day.marks[1]);
        const QColor ringOnDay = colourAt(noon + QPoint(5, 0));
        EXPECT_GE(ScheduleColours::contrast(ringOnDay, dayColour), ScheduleColours::LeastContrast)
            << (dark ? "dark" : "light") << " ring " << ringOnDay.name().toStdString() << " on " << dayColour.name().toStdString();
        // The on mark at 03:00 stands in the night.
        const QPoint early = picture.markCentre(day.marks[0]);
        const QColor ringAtNight = colourAt(early + QPoint(0, -5));
        EXPECT_GE(ScheduleColours::contrast(ringAtNight, nightColour), ScheduleColours::LeastContrast)
            << (dark ? "dark" : "light") << " ring " << ringAtNight.name().toStdString() << " on " << nightColour.name().toStdString();
        // The dim lamp's bar after sunset: its edge against the night, the most contrast down the lane.
        const QPoint evening = picture.markCentre(day.marks[2]) + QPoint(60, 0);
        double edge = 1;
        for (int y = evening.y() - picture.laneHeight() / 2 + 1; y < evening.y() + picture.laneHeight() / 2; ++y)
            edge = std::max(edge, ScheduleColours::contrast(colourAt({evening.x(), y}), nightColour));
        EXPECT_GE(edge, ScheduleColours::LeastContrast) << (dark ? "dark" : "light") << " bar edge";
    }
}
