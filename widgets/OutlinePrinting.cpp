#include "widgets/OutlinePrinting.h"

#include "document/OutlineSelection.h"
#include "widgets/FormatterDelegate.h"
#include "widgets/OutlineModel.h"
#include "widgets/VekNSOutlineView.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <vector>

namespace {

constexpr double TextPoints = 9;
constexpr double RowSpacing = 1.4;  // a row's height for the height of its text
constexpr double EventIndent = 2;   // an event's text stands this many text heights in

struct Column {
    int logical;
    double left, width;
};

// The outline's shown columns in their order, their widths in proportion to the screen's and
// together as wide as the page.
std::vector<Column> columnsAcross(const QHeaderView &header, double pageWidth)
{
    std::vector<Column> columns;
    double total = 0;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (header.isSectionHidden(logical))
            continue;
        columns.push_back({logical, total, double(header.sectionSize(logical))});
        total += header.sectionSize(logical);
    }
    const double scale = total > 0 ? pageWidth / total : 1;
    for (Column &column : columns) {
        column.left *= scale;
        column.width *= scale;
    }
    return columns;
}

void drawCell(QPainter &painter, const QFontMetricsF &metrics, const QRectF &cell, const QString &text)
{
    const double pad = metrics.averageCharWidth() / 2;
    const QRectF inside = cell.adjusted(pad, 0, -pad, 0);
    painter.drawText(inside, Qt::AlignVCenter | Qt::AlignLeft, metrics.elidedText(text, Qt::ElideRight, inside.width()));
}

}  // namespace

void printOutlineRows(QPrinter &printer, const VekNSOutlineView &outline)
{
    QPainter painter(&printer);
    // The painter starts at the printable area's top left: the page is that area.
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    QFont font = outline.font();
    font.setPointSizeF(TextPoints);
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetricsF metrics(font, &printer);
    const double rowHeight = metrics.height() * RowSpacing;
    const std::vector<Column> columns = columnsAcross(*outline.header(), page.width());
    const OutlineModel &model = *outline.outlineModel();

    const int rows = outline.numberOfRows();
    std::vector<double> tops(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        tops[static_cast<std::size_t>(row)] = row * rowHeight;
    const double bodyHeight = std::max(page.height() - rowHeight, rowHeight);

    double pageTop = 0;
    for (int row = 0;;) {
        painter.setFont(titleFont);
        for (const Column &column : columns)
            drawCell(painter, metrics, QRectF(column.left, 0, column.width, rowHeight),
                     model.headerData(column.logical, Qt::Horizontal).toString());
        painter.drawLine(QPointF(0, rowHeight - 1), QPointF(page.width(), rowHeight - 1));
        painter.setFont(font);

        const double bottom = adjustPageBottom(tops, rowHeight, pageTop + bodyHeight);
        for (; row < rows && tops[static_cast<std::size_t>(row)] + rowHeight <= bottom; ++row) {
            const OutlineItem item = outline.itemAtRow(row);
            const double y = rowHeight + tops[static_cast<std::size_t>(row)] - pageTop;
            for (const Column &column : columns) {
                const QString text = FormatterDelegate::cellText(column.logical, model.indexOf(item, column.logical).data());
                const double indent = column.logical == FormatterDelegate::NameColumn && !item.isModule()
                    ? metrics.height() * EventIndent : 0;
                drawCell(painter, metrics, QRectF(column.left + indent, y, column.width - indent, rowHeight), text);
            }
        }
        if (row >= rows)
            break;
        pageTop = bottom;
        printer.newPage();
    }
}
