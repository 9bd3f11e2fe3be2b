#include <gtest/gtest.h>

#include "platform/text/CharacterLength.h"

namespace {
const QString kGrin = QString::fromUtf8("😀");      // two UTF-16 units
const QString kRare = QString::fromUtf8("𠀀");     // a Chinese character beyond the basic plane
const QString kLoneHigh = QString(QChar(0xD83D));  // half of an emoji, alone
}  // namespace

TEST(CharacterLengthTest, CharactersBeyondTheBasicPlaneCountOnce) {
    EXPECT_EQ(CharacterCount(""), 0);
    EXPECT_EQ(CharacterCount("光盘abc"), 5);
    EXPECT_EQ(CharacterCount(kGrin), 1);
    EXPECT_EQ(CharacterCount("好" + kRare + kGrin), 3);
    EXPECT_EQ(CharacterCount(kLoneHigh + "a"), 2);
}

TEST(CharacterLengthTest, ACutNeverSplitsACharacter) {
    const QString remark = QString(254, 'a') + kGrin;
    EXPECT_EQ(LeftCharacters(remark, 255), remark) << "255 characters fit whole";
    EXPECT_EQ(LeftCharacters(remark + "b", 255), remark);
    EXPECT_EQ(LeftCharacters(remark, 254), QString(254, 'a')) << "the emoji goes whole";
    EXPECT_EQ(LeftCharacters(kGrin + kRare + "x", 2), kGrin + kRare);
    EXPECT_EQ(LeftCharacters("abc", 0), "");
    EXPECT_EQ(LeftCharacters("abc", -1), "");
    EXPECT_EQ(LeftCharacters("abc", 10), "abc");
    EXPECT_EQ(LeftCharacters(kLoneHigh + "ab", 2), kLoneHigh + "a");
}
