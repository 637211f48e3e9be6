#include "document/PrintLayout.h"

#include <gtest/gtest.h>

TEST(PrintLayout, PagesEndBeforeTheRowTheyWouldCut)
{
    struct Case {
        const char *what;
        std::vector<double> heights;
        std::vector<int> starts;
    };
    const Case cases[] = {
        {"no rows: one empty page", {}, {0}},
        {"all on one page", {10, 10, 10}, {0}},
        {"exactly full", {10, 10, 10, 10}, {0}},
        {"one row over", {10, 10, 10, 10, 10}, {0, 4}},
        {"a wrapped row moves whole", {10, 10, 25, 10}, {0, 2}},
        {"a row taller than a page has it alone", {10, 50, 10}, {0, 1, 2}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pageStarts(c.heights, 40), c.starts) << c.what;
}

TEST(PrintLayout, TheDialogsRangeAndCopiesChooseThePages)
{
    struct Case {
        int count, from, to, copies;
        bool collate;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {3, 0, 0, 1, true, {0, 1, 2}},
        {60, 2, 3, 1, true, {1, 2}},
        {60, 2, 3, 2, true, {1, 2, 1, 2}},
        {60, 2, 3, 2, false, {1, 1, 2, 2}},
        {5, 4, 9, 1, true, {3, 4}},    // a range past the end, cut to it
        {5, 7, 9, 1, true, {}},        // wholly past it
        {2, 0, 0, 0, true, {0, 1}},    // no copies asked is one
    };
    for (const Case &c : cases)
        EXPECT_EQ(pagesToPrint(c.count, c.from, c.to, c.copies, c.collate), c.pages) << c.count << " " << c.from << "-" << c.to;
}
