#include "widgets/ScheduleLegend.h"

#include "widgets/ScheduleColours.h"

#include <QPainter>

ScheduleLegend::ScheduleLegend(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ScheduleLegend::sizeHint() const
{
    return {600, fontMetrics().height() + 8};
}

void ScheduleLegend::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ScheduleColours colours = ScheduleColours::fromPalette(palette());
    const int middle = height() / 2;
    int x = 4;
    const auto label = [&](const QString &text) {
        painter.setPen(palette().color(QPalette::WindowText));
        const int width = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QRect(x, 0, width + 2, height()), Qt::AlignVCenter | Qt::AlignLeft, text);
        x += width + 18;
    };
    const auto mark = [&](const QColor &fill) {
        painter.setPen(QPen(colours.accent, 2));
        painter.setBrush(fill);
        painter.drawEllipse(QPoint(x + 5, middle), 5, 5);
        x += 16;
    };
    mark(colours.levelFill(9));
    mark(colours.levelFill(4));
    label(tr("on (paler: dimmer)"));
    mark(colours.day);
    label(tr("off"));
    painter.setPen(QPen(colours.accent, 1.5));
    painter.setBrush(colours.levelFill(9));
    painter.drawRoundedRect(QRectF(x, middle - 4, 28, 8), 3, 3);
    x += 34;
    label(tr("on until off"));
    painter.fillRect(QRect(x, middle - 7, 22, 14), colours.night);
    painter.setPen(colours.grid);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(x, middle - 7, 22, 14));
    x += 28;
    label(tr("night"));
    painter.setPen(QPen(colours.now, 2));
    painter.drawLine(x + 4, middle - 7, x + 4, middle + 7);
    x += 12;
    label(tr("now"));
    painter.setPen(QPen(colours.accent, 2));
    painter.setBrush(colours.day);
    painter.drawEllipse(QPoint(x + 8, middle), 8, 8);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(x, middle - 8, 16, 16), Qt::AlignCenter, QStringLiteral("2"));
    x += 22;
    label(tr("marks too close to part"));
}
