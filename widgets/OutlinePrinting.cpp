#include "widgets/OutlinePrinting.h"

#include "document/PrintLayout.h"
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
constexpr double LineGap = 0.4;     // the space between rows, in text heights
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

// The outline laid out on the printer's pages: each row as high as its longest cell wrapped in its
// column, and the rows that begin each page.
class PrintedOutline {
public:
    PrintedOutline(const QPrinter &printer, const VekNSOutlineView &view)
        : outline(view), page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()),
          font(textFont(view)), titleFont(boldened(font)), metrics(font, &printer),
          columns(columnsAcross(*view.header(), page.width()))
    {
        const double gap = metrics.height() * LineGap;
        titleHeight = metrics.height() + gap;
        for (int row = 0; row < outline.numberOfRows(); ++row) {
            double height = metrics.height();
            for (const Column &column : columns)
                height = std::max(height, metrics.boundingRect(textRect(column, row, 0), Qt::TextWordWrap, cellText(column, row)).height());
            rowHeights.push_back(height + gap);
        }
        starts = pageStarts(rowHeights, std::max(page.height() - titleHeight, titleHeight));
    }

    int pageCount() const { return static_cast<int>(starts.size()); }

    void print(QPainter &painter, int pageIndex) const
    {
        painter.setFont(titleFont);
        for (const Column &column : columns)
            painter.drawText(QRectF(column.left + pad(), 0, column.width - 2 * pad(), titleHeight), Qt::AlignVCenter | Qt::AlignLeft,
                             metrics.elidedText(outline.outlineModel()->headerData(column.logical, Qt::Horizontal).toString(),
                                                Qt::ElideRight, column.width - 2 * pad()));
        painter.drawLine(QPointF(0, titleHeight - 1), QPointF(page.width(), titleHeight - 1));
        painter.setFont(font);
        const int first = starts[static_cast<std::size_t>(pageIndex)];
        const int end = pageIndex + 1 < pageCount() ? starts[static_cast<std::size_t>(pageIndex) + 1] : outline.numberOfRows();
        double y = titleHeight + metrics.height() * LineGap / 2;
        for (int row = first; row < end; ++row) {
            for (const Column &column : columns)
                painter.drawText(textRect(column, row, y), Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft, cellText(column, row));
            y += rowHeights[static_cast<std::size_t>(row)];
        }
    }

private:
    static QFont textFont(const VekNSOutlineView &view)
    {
        QFont text = view.font();
        text.setPointSizeF(TextPoints);
        return text;
    }
    static QFont boldened(QFont text)
    {
        text.setBold(true);
        return text;
    }
    double pad() const { return metrics.averageCharWidth() / 2; }
    QString cellText(const Column &column, int row) const
    {
        const OutlineItem item = outline.itemAtRow(row);
        return FormatterDelegate::cellText(column.logical, outline.outlineModel()->indexOf(item, column.logical).data());
    }
    // Where a cell's text goes: inside its column, an event's name indented, as high as it needs.
    QRectF textRect(const Column &column, int row, double top) const
    {
        const double indent = column.logical == FormatterDelegate::NameColumn && !outline.itemAtRow(row).isModule()
                                  ? metrics.height() * EventIndent
                                  : 0;
        return QRectF(column.left + indent + pad(), top, std::max(column.width - indent - 2 * pad(), pad()), page.height());
    }

    const VekNSOutlineView &outline;
    const QRectF page;  // the painter starts at the printable area's top left: the page is that area
    const QFont font;
    const QFont titleFont;
    const QFontMetricsF metrics;
    const std::vector<Column> columns;
    double titleHeight = 0;
    std::vector<double> rowHeights;
    std::vector<int> starts;
};

}  // namespace

int outlinePageCount(const QPrinter &printer, const VekNSOutlineView &outline)
{
    return PrintedOutline(printer, outline).pageCount();
}

void printOutlineRows(QPrinter &printer, const VekNSOutlineView &outline)
{
    const PrintedOutline printed(printer, outline);
    const bool range = printer.printRange() == QPrinter::PageRange;
    // A printer that makes its own copies is given one; otherwise each copy is printed here.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    const std::vector<int> pages = pagesToPrint(printed.pageCount(), range ? printer.fromPage() : 0, range ? printer.toPage() : 0,
                                                copies, printer.collateCopies());
    QPainter painter(&printer);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0)
            printer.newPage();
        printed.print(painter, pages[n]);
    }
}
