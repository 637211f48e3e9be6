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

// Each document by its file name; two of one name by the folder each lies in as well.
TEST(RecentDocuments, TwoOfOneNameAreToldApartByTheirFolders)
{
    EXPECT_EQ(recentDocumentTitles({"/home/ann/2025/doc12.cp290", "/home/ann/a&b.cp290", "/home/ann/2026/doc12.cp290"}),
              (std::vector<std::string> {"doc12.cp290 \u2014 /home/ann/2025", "a&b.cp290", "doc12.cp290 \u2014 /home/ann/2026"}));
    EXPECT_TRUE(recentDocumentTitles({}).empty());
}
