#pragma once

class QPrinter;

// The shared print information: the printer and page layout every window prints with, so that
// Page Setup in one window holds for the next printout of any.
QPrinter &sharedPrinter();
