#include "widgets/SchedulePicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int TitleWidth = 170;
constexpr int HeaderHeight = 22;
constexpr int LaneHeight = 22;
constexpr int MarkRadius = 5;
constexpr int MinutesPerDay = 24 * 60;

}  // namespace

SchedulePicture::SchedulePicture(QWidget *parent) : QWidget(parent)
{
    setMinimumWidth(TitleWidth + 24 * 20);
    setMouseTracking(false);
}

void SchedulePicture::setDay(const QStringList &laneTitles, const Day &day)
{
    lanes = laneTitles;
    shown = day;
    updateGeometry();
    resize(width(), sizeHint().height());
    update();
}

QSize SchedulePicture::sizeHint() const
{
    return {TitleWidth + 24 * 40, HeaderHeight + static_cast<int>(lanes.size()) * LaneHeight + 1};
}

int SchedulePicture::xOfMinute(int minute) const
{
    return TitleWidth + static_cast<int>(static_cast<long>(width() - TitleWidth - 1) * minute / MinutesPerDay);
}

QPoint SchedulePicture::markCentre(const ScheduleMark &mark) const
{
    return {xOfMinute(mark.minute), HeaderHeight + mark.module * LaneHeight + LaneHeight / 2};
}

void SchedulePicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QPalette colours = palette();
    const QRect area = event->rect();
    painter.fillRect(area, colours.base());
    const int bottom = HeaderHeight + static_cast<int>(lanes.size()) * LaneHeight;

    // Night, then the lanes that show, then the hours.
    const QColor night = colours.color(QPalette::Mid).lighter(130);
    if (shown.sunriseMinute >= 0) {
        painter.fillRect(QRect(QPoint(xOfMinute(0), HeaderHeight), QPoint(xOfMinute(shown.sunriseMinute), bottom)), night);
        painter.fillRect(QRect(QPoint(xOfMinute(shown.sunsetMinute), HeaderHeight), QPoint(xOfMinute(MinutesPerDay), bottom)), night);
    }
    const int firstLane = std::max(0, (area.top() - HeaderHeight) / LaneHeight);
    const int lastLane = std::min(static_cast<int>(lanes.size()) - 1, (area.bottom() - HeaderHeight) / LaneHeight);
    painter.setPen(colours.color(QPalette::Text));
    for (int lane = firstLane; lane <= lastLane; ++lane) {
        const int top = HeaderHeight + lane * LaneHeight;
        painter.drawText(QRect(4, top, TitleWidth - 8, LaneHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(lanes[lane], Qt::ElideRight, TitleWidth - 8));
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(TitleWidth, top + LaneHeight, width(), top + LaneHeight);
        painter.setPen(colours.color(QPalette::Text));
    }
    for (int hour = 0; hour <= 24; hour += 3) {
        const int x = xOfMinute(hour * 60);
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawLine(x, HeaderHeight - 4, x, bottom);
        painter.setPen(colours.color(QPalette::Text));
        if (hour < 24)
            painter.drawText(QRect(x + 2, 0, 60, HeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
                             QStringLiteral("%1:00").arg(hour));
    }

    painter.setRenderHint(QPainter::Antialiasing);
    const QColor on = colours.color(QPalette::Highlight);
    for (const ScheduleMark &mark : shown.marks) {
        if (mark.module < firstLane || mark.module > lastLane)
            continue;
        const QPoint centre = markCentre(mark);
        painter.setPen(QPen(on, 1.5));
        if (mark.on) {
            QColor fill = on;
            fill.setAlphaF(static_cast<float>(0.25 + 0.75 * mark.brightness / 9.0));
            painter.setBrush(fill);
        } else {
            painter.setBrush(colours.base());
        }
        painter.drawEllipse(centre, MarkRadius, MarkRadius);
    }
    if (shown.nowMinute >= 0) {
        painter.setPen(QPen(QColor(200, 40, 40), 1.5));
        painter.drawLine(xOfMinute(shown.nowMinute), HeaderHeight, xOfMinute(shown.nowMinute), bottom);
    }
}

void SchedulePicture::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    for (const ScheduleMark &mark : shown.marks) {
        if ((markCentre(mark) - at).manhattanLength() <= MarkRadius + 2) {
            emit markClicked(mark.module, mark.event);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}
