#include "document/ReadingOrder.h"

#include <algorithm>
#include <numeric>

std::vector<int> readingOrder(const std::vector<ScreenBox> &boxes)
{
    std::vector<int> order(boxes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return boxes[a].top < boxes[b].top; });
    // Each line begins with its topmost box; a box that starts above that box's bottom joins it.
    for (std::size_t first = 0; first < order.size();) {
        const ScreenBox &head = boxes[order[first]];
        std::size_t end = first + 1;
        while (end < order.size() && boxes[order[end]].top < head.top + head.height)
            ++end;
        std::stable_sort(order.begin() + first, order.begin() + end, [&](int a, int b) { return boxes[a].left < boxes[b].left; });
        first = end;
    }
    return order;
}
