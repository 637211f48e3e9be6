#pragma once

#include <vector>

// How rows of text go onto pages, and which pages a print dialog's choices print.

// The first row of each page for rows of these heights, each page `bodyHeight` high: a page ends
// before the row it would cut; a row taller than a whole page has a page to itself.
std::vector<int> pageStarts(const std::vector<double> &rowHeights, double bodyHeight);

// The pages to print (numbered from 0), in the order they go out: `fromPage` to `toPage` (numbered
// from 1, as the dialog shows them; 0 and 0 for all of them, and a range past the end cut to it),
// `copies` times, collated (1 2 3, 1 2 3) or not (1 1, 2 2, 3 3).
std::vector<int> pagesToPrint(int pageCount, int fromPage, int toPage, int copies, bool collate);
