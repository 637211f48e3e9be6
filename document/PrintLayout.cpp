#include "document/PrintLayout.h"

#include <algorithm>

std::vector<int> pageStarts(const std::vector<double> &rowHeights, double bodyHeight)
{
    std::vector<int> starts;
    double used = bodyHeight;  // as if a page were full before the first row
    for (std::size_t row = 0; row < rowHeights.size(); ++row) {
        if (used + rowHeights[row] > bodyHeight && !(used == 0)) {
            starts.push_back(static_cast<int>(row));
            used = 0;
        }
        used += rowHeights[row];
    }
    if (starts.empty())
        starts.push_back(0);
    return starts;
}

std::vector<int> pagesToPrint(int pageCount, int fromPage, int toPage, int copies, bool collate)
{
    int first = 0, last = pageCount - 1;
    if (fromPage > 0 || toPage > 0) {
        first = std::max(fromPage, 1) - 1;
        last = std::min(toPage > 0 ? toPage : pageCount, pageCount) - 1;
    }
    std::vector<int> pages;
    const int times = std::max(copies, 1);
    if (collate) {
        for (int copy = 0; copy < times; ++copy)
            for (int page = first; page <= last; ++page)
                pages.push_back(page);
    } else {
        for (int page = first; page <= last; ++page)
            pages.insert(pages.end(), static_cast<std::size_t>(times), page);
    }
    return pages;
}
