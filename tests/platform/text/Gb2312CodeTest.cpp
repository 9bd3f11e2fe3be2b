#include <gtest/gtest.h>

#include "platform/text/VbText.h"

TEST(Gb2312Code, CodesOfChineseCharactersAndPunctuation) {
    EXPECT_EQ(Gb2312Code("啊"), 0xB0A1);
    EXPECT_EQ(Gb2312Code("座"), 0xD7F9);
    EXPECT_EQ(Gb2312Code("学"), 0xD1A7);
    EXPECT_EQ(Gb2312Code("压"), 0xD1B9);
    EXPECT_EQ(Gb2312Code("，"), 0xA3AC);
    EXPECT_EQ(Gb2312Code("￥"), 0xA3A4);
}

TEST(Gb2312Code, OnlyTheFirstCharacterCounts) {
    EXPECT_EQ(Gb2312Code("学习"), 0xD1A7);
    EXPECT_EQ(Gb2312Code("a啊"), 'a');
}

TEST(Gb2312Code, AsciiGivesItsOwnCode) {
    EXPECT_EQ(Gb2312Code("a"), 'a');
    EXPECT_EQ(Gb2312Code("7"), '7');
    EXPECT_EQ(Gb2312Code(" "), ' ');
}

TEST(Gb2312Code, CharactersOutsideGb2312GiveZero) {
    EXPECT_EQ(Gb2312Code(""), 0);
    EXPECT_EQ(Gb2312Code("😀"), 0);
    EXPECT_EQ(Gb2312Code("𠀀"), 0);
    EXPECT_EQ(Gb2312Code("丂"), 0);  // in GBK, not in GB2312
    EXPECT_EQ(Gb2312Code("¥"), 0);
    EXPECT_EQ(Gb2312Code(QString(QChar(0xD800))), 0);        // a lone surrogate
    EXPECT_EQ(Gb2312Code(QString(QChar(0xD800)) + "a"), 0);  // a broken pair
    EXPECT_EQ(Gb2312Code("啊"), 0xB0A1);                     // the converter still works
}
