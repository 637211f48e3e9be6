#pragma once

class QPrinter;
class VekNSOutlineView;

// Prints the rows the outline shows, in its column order: the columns fitted to the page width,
// the text at a size read on paper whatever the screen's, the column titles at the top of every
// page, no vertical centring, and no row ever cut by a page break.
void printOutlineRows(QPrinter &printer, const VekNSOutlineView &outline);
