#pragma once

#include "document/DayPicture.h"

#include <QStringList>
#include <QWidget>

// One day of the schedule as a picture: a lane a module, its name in a column the user can widen
// by dragging its edge, the day's hours across in the 12-hour form with half-hour ticks, the night
// before sunrise and after sunset shaded darker, each stretch a module is on as a bar (paler the
// dimmer), a mark where an event switches it (filled for on, hollow for off; marks too close to
// tell apart drawn as one with their count) and a line at the present minute on today. A tooltip
// tells what a mark or bar is; a click chooses the nearest mark's events.
class SchedulePicture : public QWidget {
    Q_OBJECT
public:
    explicit SchedulePicture(QWidget *parent = nullptr);

    struct Day {
        int sunriseMinute = -1;  // -1: no sunrise or sunset that day
        int sunsetMinute = -1;
        int nowMinute = -1;      // -1: not today
        std::vector<ScheduleMark> marks;
        std::vector<Module> modules;  // the lanes' modules, for the titles and the tooltips
        // On a day with too many records: the records each lane's module needs, written in its lane.
        std::vector<int> laneRecords;
    };
    void setDay(const Day &day);
    const Day &day() const { return shown; }
    QSize sizeHint() const override;

    // Where a mark is drawn (its group's place), for the tests and the widget map.
    QPoint markCentre(const ScheduleMark &mark) const;
    int titleColumnWidth() const { return titleWidth; }
    int laneHeight() const;

signals:
    // The events of the mark clicked: one, or those of a group.
    void marksClicked(int module, const QList<int> &events);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int xOfMinute(int minute) const;
    int minuteOfX(int x) const;
    int laneOfY(int y) const;
    int headerHeight() const;
    int closestMinutes() const;
    QString laneTitle(int lane) const;
    QString toolTipAt(const QPoint &at) const;
    void paintHours(QPainter &painter, int bottom) const;
    void regroup();
    void fitTitleColumn();

    Day shown;
    std::vector<OnPeriod> periods;
    std::vector<MarkGroup> groups;
    int titleWidth = 170;
    bool titleWidthSet = false;  // by the user's drag: kept from day to day
    bool draggingEdge = false;
};
