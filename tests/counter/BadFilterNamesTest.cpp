#include "tests/counter/CounterFixture.h"
#include "tests/support/DatabaseDump.h"

namespace {
// The bad inputs of the sweep, as names of formats and movie types that reach the counter's
// filters, and as texts searched for.
const QStringList& BadTexts() {
    static const QStringList texts{"'",
                                   "\"",
                                   "%",
                                   "_",
                                   "\\",
                                   QString::fromUtf8("\xF0\x9F\x98\x80"),
                                   QStringLiteral("长文本").repeated(3334).left(10000),
                                   "  前后空格  ",
                                   "-1",
                                   "abc",
                                   "12元",
                                   "1,2,3",
                                   "1e308",
                                   "99999999999999",
                                   "0",
                                   "O'Neil \"%_"};
    return texts;
}

class BadFilterNamesTest : public CounterFixture {};
}  // namespace

// Each bad name picked in the format and movie-type filters, in both modes, lists exactly
// the title of that name; each searched for finds it. Nothing is written, no box is shown.
TEST_F(BadFilterNamesTest, EveryBadNameFiltersAndSearchesSafelyInBothModes) {
    int i = 0;
    for (const QString& name : BadTexts()) {
        ++i;
        Add(Title(QString("0301%1").arg(i, 8, 10, QChar('0')), QString("T%1").arg(i), "片")
                .Type(name)
                .MovieType(name)
                .Key(name.toLower()));
    }
    CounterPage& page = Open();
    ShopEvents::AnnounceClassificationRead("type", BadTexts());
    ShopEvents::AnnounceClassificationRead("movietype", BadTexts());
    const QStringList before = DatabaseDump(DbPath());
    int tried = 0;
    for (const int button : {kRentalButton, kSaleButton}) {
        Press(button);
        for (QComboBox* filter : {page.CboTypeFind, page.CboMovietypeFind}) {
            for (int n = 0; n < BadTexts().size(); ++n) {
                Pick(filter, BadTexts()[n]);
                EXPECT_EQ(Column("id"), QStringList{QString("T%1").arg(n + 1)})
                    << BadTexts()[n].left(20).toStdString();
                ++tried;
            }
            Pick(filter, "全部");
        }
        for (const QString& name : BadTexts()) {
            page.TxtFind->setText(name);
            QTest::keyClick(page.TxtFind, Qt::Key_Return);
            QTest::keyClick(page.TxtFind, Qt::Key_Down);
            QTest::keyClick(page.TxtFind, Qt::Key_Up);
            Settle();
            EXPECT_GE(Search().SearchHitCount, 1) << name.left(20).toStdString();
            ++tried;
        }
    }
    EXPECT_EQ(tried, 2 * 3 * BadTexts().size());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
    EXPECT_EQ(DatabaseDump(DbPath()), before);
}
