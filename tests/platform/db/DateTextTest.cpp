#include <gtest/gtest.h>

#include <QDate>
#include <array>
#include <string>

#include "platform/db/DateText.h"
#include "platform/db/SqlKey.h"

namespace {

std::optional<DateText> Parse(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return DateText::Parse(std::string_view(utf8.constData(), utf8.size()));
}

// The form the program writes is read at once; it must take exactly the dates of the
// calendar (and of the general reading): no year 0, no 30 February, leap years as they are.
TEST(DateTextTest, TheWrittenFormTakesTheCalendarsDaysAndTimes) {
    for (int year : {0, 1, 4, 100, 1900, 2000, 2023, 2024, 2100, 2400, 9999}) {
        for (int month = 0; month <= 13; ++month) {
            for (int day = 0; day <= 32; ++day) {
                const QString date = QString("%1-%2-%3")
                                         .arg(year, 4, 10, QChar('0'))
                                         .arg(month, 2, 10, QChar('0'))
                                         .arg(day, 2, 10, QChar('0'));
                const bool valid = QDate::isValid(year, month, day);
                ASSERT_EQ(Parse(date).has_value(), valid) << qPrintable(date);
                ASSERT_EQ(Parse(date + " 23:59:59").has_value(), valid) << qPrintable(date);
                // The same day with one-digit parts goes the general way to the same answer.
                if (valid && month < 10 && day < 10) {
                    const auto general =
                        Parse(QString("%1-%2-%3").arg(year, 4, 10, QChar('0')).arg(month).arg(day));
                    ASSERT_TRUE(general.has_value());
                    EXPECT_EQ(general->day, day);
                }
            }
        }
    }
    const auto d = Parse("2026-12-20 13:05:09");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ((std::array<int, 6>{d->year, d->month, d->day, d->hour, d->minute, d->second}),
              (std::array<int, 6>{2026, 12, 20, 13, 5, 9}));
    EXPECT_TRUE(d->hasTime);
    EXPECT_FALSE(Parse("2026-12-20")->hasTime);
    for (const char* bad : {"2026-12-20 24:00:00", "2026-12-20 23:60:00", "2026-12-20 23:59:60",
                            "2026-12-20x23:59:59", "2026-12-2a", "2026/12/20", "05-03-12 14:20:00"})
        EXPECT_FALSE(Parse(bad).has_value()) << bad;
    EXPECT_EQ(Parse(" 2026-12-20")->day, 20) << "leading blanks, the general way";
}

// Keys order and compare as the database orders text and blobs: texts first, then by bytes,
// a key before the longer keys it begins; a prefix counts characters of a text.
TEST(SqlKeyTest, KeysOrderAsTheDatabaseAndPrefixesCountCharacters) {
    const SqlKey a(QByteArrayView("0301"), false);
    const SqlKey ab(QByteArrayView("03010001"), false);
    const SqlKey b(QByteArrayView("0302"), false);
    const SqlKey blob(QByteArrayView("0001"), true);
    EXPECT_TRUE(a < ab && ab < b && b < blob);
    EXPECT_FALSE(SqlKey(QByteArrayView("0301"), true) == a) << "a blob never equals a text";
    EXPECT_FALSE(SqlKey() == SqlKey()) << "Null equals nothing";
    EXPECT_TRUE(ab.Prefix(4) == a);
    EXPECT_TRUE(a.Prefix(16) == a);
    const QByteArray chinese = QString::fromUtf8("影片ab").toUtf8();
    EXPECT_EQ(SqlKey(chinese, false).Prefix(3).Bytes(), QString::fromUtf8("影片a").toUtf8());
    EXPECT_EQ(SqlKey(chinese, true).Prefix(3).Bytes().size(), 3) << "a blob's prefix is bytes";
}

}  // namespace
