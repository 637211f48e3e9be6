#pragma once

class QPrinter;
class VekNSOutlineView;

// Prints the rows the outline shows, in its column order: the columns fitted to the page width,
// the text at a size read on paper whatever the screen's and wrapped inside its column, the column
// titles at the top of every page, no vertical centring, and no row ever cut by a page break. The
// printer's page range and copies are honoured.
void printOutlineRows(QPrinter &printer, const VekNSOutlineView &outline);
// How many pages that printout has on the printer's paper, for the print dialog's range.
int outlinePageCount(const QPrinter &printer, const VekNSOutlineView &outline);
