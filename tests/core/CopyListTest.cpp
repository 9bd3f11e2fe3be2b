#include <gtest/gtest.h>

#include "core/CopyList.h"

TEST(CopyList, ItemsAreMatchedWithBothDelimiters) {
    EXPECT_EQ(CopyList::Remove("&1#&11#", 1), "&11#");
    EXPECT_EQ(CopyList::Remove("&11#&1#", 1), "&11#");
    EXPECT_TRUE(CopyList::Contains("&11#", 11));
    EXPECT_FALSE(CopyList::Contains("&11#", 1));
    EXPECT_EQ(CopyList::RemoveAll("&1#&2#&3#&4#", "&3#&1#&3#"), "&2#&4#");
}

TEST(CopyList, NumbersKeepTheirOrderAndIgnoreJunk) {
    EXPECT_EQ(CopyList::Numbers("&3#&1#&12#"), (std::vector<int>{3, 1, 12}));
    EXPECT_TRUE(CopyList::Numbers("").empty());
    EXPECT_TRUE(CopyList::Numbers(" ").empty());
    EXPECT_EQ(CopyList::Of({1, 3}), "&1#&3#");
}

TEST(CopyList, CopyTextsReadBack) {
    EXPECT_EQ(CopyList::CopyText(3), "第3张盘");
    EXPECT_EQ(CopyList::ShortCopyText(12), "第12张");
    EXPECT_EQ(CopyList::CopyOfText("第12张盘"), 12);
    EXPECT_EQ(CopyList::CopyOfText("第7张"), 7);
    EXPECT_EQ(CopyList::CopyOfText("张"), 0);
    EXPECT_EQ(CopyList::CopyOfText(""), 0);
}
