#pragma once

#include <vector>

// The order in which a person reads controls laid out on screen: line by line from the top, left
// to right within a line. Controls share a line when they overlap the height of its first one,
// so a label and a taller field beside it stay together.

struct ScreenBox {
    int left = 0, top = 0, width = 0, height = 0;
};

// The indices of `boxes` in reading order.
std::vector<int> readingOrder(const std::vector<ScreenBox> &boxes);
