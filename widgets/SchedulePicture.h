#pragma once

#include "document/WeekSchedule.h"

#include <QStringList>
#include <QWidget>

// One day of the schedule as a picture: a lane a module, the day's 24 hours across, the night
// before sunrise and after sunset shaded, a mark where an event switches its module (filled for
// on, darker the brighter; hollow for off) and a line at the present minute on today.
class SchedulePicture : public QWidget {
    Q_OBJECT
public:
    explicit SchedulePicture(QWidget *parent = nullptr);

    struct Day {
        int sunriseMinute = -1;  // -1: no sunrise or sunset that day
        int sunsetMinute = -1;
        int nowMinute = -1;      // -1: not today
        std::vector<ScheduleMark> marks;
    };
    void setDay(const QStringList &laneTitles, const Day &day);
    const Day &day() const { return shown; }
    QSize sizeHint() const override;

    // Where a mark is drawn, for the tests and the widget map.
    QPoint markCentre(const ScheduleMark &mark) const;

signals:
    void markClicked(int module, int event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int xOfMinute(int minute) const;

    QStringList lanes;
    Day shown;
};
