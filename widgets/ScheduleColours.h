#pragma once

#include <QColor>
#include <QPalette>

// The Schedule's colours, from the window's palette, light or dark: night darker than day, and
// marks, bars and the present minute at least 3:1 against both.
struct ScheduleColours {
    QColor day;
    QColor night;
    QColor grid;
    QColor text;
    QColor accent;  // marks' rings, bars' edges
    QColor now;

    static ScheduleColours fromPalette(const QPalette &palette);
    // An on stretch or mark of a brightness 1 to 9: the accent, paler the dimmer.
    QColor levelFill(int brightness) const;

    // WCAG's contrast ratio of two colours, 1 to 21.
    static double contrast(const QColor &a, const QColor &b);
    static constexpr double LeastContrast = 3.0;
};
