#include "widgets/SchedulePicture.h"

#include "document/EventDescription.h"
#include "document/FieldFormatters.h"
#include "widgets/ScheduleColours.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int MinutesPerDay = 24 * 60;
constexpr int MarkRadius = 5;
constexpr int EdgeGrip = 4;  // pixels either side of the name column's edge that take a drag
constexpr int LeastTitleWidth = 60;

QString clockText(int minute)
{
    const int hour = minute / 60 % 24;
    return QStringLiteral("%1:%2 %3")
        .arg(hour % 12 == 0 ? 12 : hour % 12, 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'))
        .arg(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString levelText(int brightness)
{
    return brightness >= 9 ? QString() : QStringLiteral(" at %1%").arg(brightness * 12.5, 0, 'f', 1);
}

}  // namespace

SchedulePicture::SchedulePicture(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

int SchedulePicture::laneHeight() const
{
    return std::max(22, fontMetrics().height() + 8);
}

int SchedulePicture::headerHeight() const
{
    return fontMetrics().height() + 10;
}

void SchedulePicture::setDay(const Day &day)
{
    shown = day;
    periods = onPeriods(shown.modules, shown.marks);
    fitTitleColumn();
    regroup();
    setMinimumHeight(headerHeight() + static_cast<int>(shown.modules.size()) * laneHeight() + 1);
    updateGeometry();
    update();
}

void SchedulePicture::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitTitleColumn();
    regroup();
}

// Until the user drags its edge, the name column is as wide as the longest name, up to two
// fifths of the picture.
void SchedulePicture::fitTitleColumn()
{
    if (titleWidthSet)
        return;
    int widest = LeastTitleWidth;
    for (int lane = 0; lane < static_cast<int>(shown.modules.size()); ++lane)
        widest = std::max(widest, fontMetrics().horizontalAdvance(laneTitle(lane)) + 12);
    titleWidth = std::min(widest, std::max(LeastTitleWidth, width() * 2 / 5));
}

// Marks closer than a mark's width are one mark at this width.
void SchedulePicture::regroup()
{
    groups = groupMarks(shown.marks, closestMinutes());
}

int SchedulePicture::closestMinutes() const
{
    const int pixels = std::max(1, width() - titleWidth - 1);
    return std::max(1, (2 * MarkRadius + 3) * MinutesPerDay / pixels + 1);
}

QSize SchedulePicture::sizeHint() const
{
    return {titleWidth + 24 * 40, headerHeight() + static_cast<int>(shown.modules.size()) * laneHeight() + 1};
}

QString SchedulePicture::laneTitle(int lane) const
{
    const Module &module = shown.modules[static_cast<std::size_t>(lane)];
    return QStringLiteral("%1 %2  %3")
        .arg(QString::fromStdString(houseCodeFormatter::stringForObjectValue(module.houseCode)),
             QString::fromStdString(moduleNumberFormatter::stringForObjectValue(module.unit)), QString::fromStdString(module.name));
}

int SchedulePicture::xOfMinute(int minute) const
{
    return titleWidth + static_cast<int>(static_cast<long>(width() - titleWidth - 1) * minute / MinutesPerDay);
}

int SchedulePicture::minuteOfX(int x) const
{
    return static_cast<int>(static_cast<long>(x - titleWidth) * MinutesPerDay / std::max(1, width() - titleWidth - 1));
}

int SchedulePicture::laneOfY(int y) const
{
    return y < headerHeight() ? -1 : (y - headerHeight()) / laneHeight();
}

QPoint SchedulePicture::markCentre(const ScheduleMark &mark) const
{
    int minute = mark.minute;
    for (const MarkGroup &group : groups)
        for (const ScheduleMark &member : group.marks)
            if (member.module == mark.module && member.event == mark.event)
                minute = group.minute;
    return {xOfMinute(minute), headerHeight() + mark.module * laneHeight() + laneHeight() / 2};
}

void SchedulePicture::paintHours(QPainter &painter, int bottom) const
{
    const ScheduleColours colours = ScheduleColours::fromPalette(palette());
    const int labelWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("12:00 AM")) + 10;
    const double hourWidth = (width() - titleWidth - 1) / 24.0;
    int step = 1;
    for (const int each : {1, 2, 3, 4, 6, 12})
        if ((step = each) * hourWidth >= labelWidth)
            break;
    const int header = headerHeight();
    for (int half = 0; half <= 48; ++half) {
        const int x = xOfMinute(half * 30);
        const bool hour = half % 2 == 0;
        painter.setPen(colours.grid);
        painter.drawLine(x, header - (hour ? 6 : 3), x, header);
        if (hour && (half / 2) % step == 0) {
            painter.drawLine(x, header, x, bottom);
            painter.setPen(colours.text);
            if (half < 48 && x + labelWidth <= width())
                painter.drawText(QRect(x + 2, 0, labelWidth, header - 4), Qt::AlignVCenter | Qt::AlignLeft, clockText(half * 30));
        }
    }
}

void SchedulePicture::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const ScheduleColours colours = ScheduleColours::fromPalette(palette());
    const QRect area = event->rect();
    painter.fillRect(area, colours.day);
    const int header = headerHeight(), lane = laneHeight();
    const int bottom = header + static_cast<int>(shown.modules.size()) * lane;

    if (shown.sunriseMinute >= 0) {
        painter.fillRect(QRect(QPoint(xOfMinute(0), header), QPoint(xOfMinute(shown.sunriseMinute), bottom)), colours.night);
        painter.fillRect(QRect(QPoint(xOfMinute(shown.sunsetMinute), header), QPoint(xOfMinute(MinutesPerDay), bottom)), colours.night);
    }
    const int firstLane = std::max(0, laneOfY(area.top()));
    const int lastLane = std::min(static_cast<int>(shown.modules.size()) - 1, laneOfY(area.bottom()));
    painter.fillRect(QRect(0, header, titleWidth, bottom - header), colours.day);
    for (int each = firstLane; each <= lastLane; ++each) {
        const int top = header + each * lane;
        painter.setPen(colours.text);
        painter.drawText(QRect(4, top, titleWidth - 8, lane), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(laneTitle(each), Qt::ElideRight, titleWidth - 8));
        painter.setPen(colours.grid);
        painter.drawLine(0, top + lane, width(), top + lane);
    }
    paintHours(painter, bottom);
    for (int each = firstLane; each <= lastLane && each < static_cast<int>(shown.laneRecords.size()); ++each) {
        const int records = shown.laneRecords[static_cast<std::size_t>(each)];
        if (records <= 0)
            continue;
        painter.setPen(colours.text);
        painter.drawText(QRect(titleWidth + 8, header + each * lane, width() - titleWidth - 16, lane), Qt::AlignVCenter | Qt::AlignLeft,
                         records > 128 ? tr("needs more than 128 records on its own")
                         : records == 1 ? tr("needs 1 record") : tr("needs %1 records").arg(records));
    }
    painter.setPen(colours.grid);
    painter.drawLine(titleWidth, 0, titleWidth, bottom);

    painter.setRenderHint(QPainter::Antialiasing);
    const int barHeight = lane / 2 - 2;
    for (const OnPeriod &period : periods) {
        if (period.module < firstLane || period.module > lastLane)
            continue;
        const int middle = header + period.module * lane + lane / 2;
        const QRectF bar(QPointF(xOfMinute(period.fromMinute), middle - barHeight / 2.0),
                         QPointF(xOfMinute(period.toMinute), middle + barHeight / 2.0));
        painter.setPen(QPen(colours.accent, 2));
        painter.setBrush(colours.levelFill(period.brightness));
        painter.drawRoundedRect(bar, 3, 3);
    }
    for (const MarkGroup &group : groups) {
        if (group.module < firstLane || group.module > lastLane)
            continue;
        const QPoint centre = markCentre(group.marks.front());
        painter.setPen(QPen(colours.accent, 2));
        if (group.marks.size() > 1) {
            painter.setBrush(colours.day);
            const int radius = MarkRadius + 3;
            painter.drawEllipse(centre, radius, radius);
            painter.setPen(colours.text);
            QFont small = painter.font();
            small.setPointSizeF(small.pointSizeF() * 0.8);
            painter.setFont(small);
            painter.drawText(QRect(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
                             QString::number(group.marks.size()));
            painter.setFont(font());
            continue;
        }
        const ScheduleMark &mark = group.marks.front();
        painter.setBrush(mark.on ? colours.levelFill(mark.brightness) : colours.day);
        painter.drawEllipse(centre, MarkRadius, MarkRadius);
    }
    if (shown.nowMinute >= 0) {
        painter.setPen(QPen(colours.now, 2));
        painter.drawLine(xOfMinute(shown.nowMinute), header, xOfMinute(shown.nowMinute), bottom);
    }
}

QString SchedulePicture::toolTipAt(const QPoint &at) const
{
    const int laneIndex = laneOfY(at.y());
    if (laneIndex < 0 || laneIndex >= static_cast<int>(shown.modules.size()))
        return {};
    const Module &module = shown.modules[static_cast<std::size_t>(laneIndex)];
    const QString name = QString::fromStdString(module.name);
    if (at.x() < titleWidth)
        return laneTitle(laneIndex);
    const int tolerance = (MarkRadius + 2) * MinutesPerDay / std::max(1, width() - titleWidth);
    if (const auto group = nearestGroup(groups, laneIndex, minuteOfX(at.x()), tolerance)) {
        QStringList lines;
        for (const ScheduleMark &mark : groups[*group].marks)
            lines << QStringLiteral("%1  %2: %3").arg(clockText(mark.minute), name,
                                                     QString::fromStdString(eventDescription(module.events[static_cast<std::size_t>(mark.event)])));
        return lines.join(QLatin1Char('\n'));
    }
    const int minute = minuteOfX(at.x());
    for (const OnPeriod &period : periods)
        if (period.module == laneIndex && minute >= period.fromMinute && minute < period.toMinute)
            return tr("%1 on from %2 to %3%4")
                .arg(name, clockText(period.fromMinute),
                     period.toMinute >= MinutesPerDay ? tr("midnight") : clockText(period.toMinute), levelText(period.brightness));
    return {};
}

bool SchedulePicture::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QString text = toolTipAt(help->pos());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void SchedulePicture::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (std::abs(at.x() - titleWidth) <= EdgeGrip) {
        draggingEdge = true;
        return;
    }
    const int laneIndex = laneOfY(at.y());
    const int tolerance = (MarkRadius + 3) * MinutesPerDay / std::max(1, width() - titleWidth);
    if (at.x() > titleWidth && laneIndex >= 0) {
        if (const auto group = nearestGroup(groups, laneIndex, minuteOfX(at.x()), tolerance)) {
            QList<int> events;
            for (const ScheduleMark &mark : groups[*group].marks)
                events << mark.event;
            emit marksClicked(laneIndex, events);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void SchedulePicture::mouseMoveEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    if (draggingEdge) {
        titleWidth = std::clamp(x, LeastTitleWidth, width() - 24 * 10);
        titleWidthSet = true;
        regroup();
        update();
        return;
    }
    setCursor(std::abs(x - titleWidth) <= EdgeGrip ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void SchedulePicture::mouseReleaseEvent(QMouseEvent *event)
{
    draggingEdge = false;
    QWidget::mouseReleaseEvent(event);
}
