#include "document/RecentDocuments.h"

#include <gtest/gtest.h>

TEST(RecentDocuments, LatestFirstEachOnceAtMostTen)
{
    using List = std::vector<std::string>;
    EXPECT_EQ(withRecentDocument({}, "/a"), List {"/a"});
    EXPECT_EQ(withRecentDocument({"/a", "/b", "/c"}, "/c"), (List {"/c", "/a", "/b"}));
    List ten;
    for (char c = 'a'; c < 'a' + 10; ++c)
        ten.push_back(std::string("/") + c);
    const List eleven = withRecentDocument(ten, "/new");
    ASSERT_EQ(eleven.size(), 10u);
    EXPECT_EQ(eleven.front(), "/new");
    EXPECT_EQ(eleven.back(), "/i") << "the oldest goes";
    EXPECT_EQ(stillThere({"/a", "/gone", "/b"}, [](const std::string &path) { return path != "/gone"; }), (List {"/a", "/b"}));
}
