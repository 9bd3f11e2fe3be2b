#include <QMouseEvent>

#include "platform/ui/Label.h"
#include "platform/ui/PictureButton.h"
#include "tests/reports/ReportsFixture.h"

class StatisticsPageTest : public ReportsTest {};

TEST_F(StatisticsPageTest, TheUnderlineFollowsThePointer) {
    for (int i = 0; i < StatisticsPage::kLinks; ++i) EXPECT_FALSE(page_->IsUnderlined(i));
    page_->LblReport_MouseMove(2);
    page_->LblReport_MouseMove(5);
    for (int i = 0; i < StatisticsPage::kLinks; ++i) EXPECT_EQ(page_->IsUnderlined(i), i == 5);
    page_->ImgReport_MouseMove(5);
    for (int i = 0; i < StatisticsPage::kLinks; ++i) EXPECT_FALSE(page_->IsUnderlined(i));
}

TEST_F(StatisticsPageTest, MovingWithinALabelDoesNotSetItsFontAgain) {
    page_->LblReport_MouseMove(3);
    int fontChanges = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::FontChange) ++*n;
            return false;
        }
    } counter(&fontChanges);
    for (Label* l : page_->LblReport) l->installEventFilter(&counter);
    page_->LblReport_MouseMove(3);
    page_->LblReport_MouseMove(3);
    EXPECT_EQ(fontChanges, 0);
    EXPECT_TRUE(page_->IsUnderlined(3));
}

TEST_F(StatisticsPageTest, EachLinkOpensItsWindowOnceOwnedByTheMainWindow) {
    OpenShop();
    page_->LblReport_Click(0);
    page_->LblReport_Click(1);
    page_->LblReport_Click(2);
    ASSERT_TRUE(frmUserReport::isLoaded() && frmReport::isLoaded() && frmBuyReport::isLoaded());
    EXPECT_EQ(frmReport::instance().Owner(), host_);
    EXPECT_EQ(frmReport::instance().windowTitle(), "本店收入及支出信息");
    EXPECT_EQ(frmUserReport::instance().windowTitle(), "本店的客户信息");
    EXPECT_EQ(frmBuyReport::instance().windowTitle(), "显示光盘购买情况");
    frmReport* first = &frmReport::instance();
    page_->LblReport_Click(1);
    EXPECT_EQ(&frmReport::instance(), first);
    page_->LblReport_Click(-1);
    page_->LblReport_Click(8);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(StatisticsPageTest, AClickOnALabelOpensItsWindow) {
    OpenShop();
    host_->show();
    Label* link = page_->LblReport[1];
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    Settle();
    EXPECT_TRUE(frmReport::isLoaded());
}

// Only the labels are links: the pictures under them keep the default pointer, and pressing
// or clicking a picture away from its label opens nothing.
TEST_F(StatisticsPageTest, ThePicturesKeepTheDefaultPointerAndTheirClicksDoNothing) {
    OpenShop();
    host_->show();
    for (int i = 0; i < StatisticsPage::kLinks; ++i) {
        PictureButton* picture = page_->ImgReport[i];
        EXPECT_EQ(picture->cursor().shape(), Qt::ArrowCursor) << i;
        EXPECT_FALSE(picture->testAttribute(Qt::WA_SetCursor)) << i;
        EXPECT_EQ(page_->LblReport[i]->cursor().shape(), Qt::PointingHandCursor) << i;
        const QPoint corner(5, 5);  // above the label, which lies lower on the picture
        ASSERT_EQ(picture->childAt(corner), nullptr);
        ASSERT_FALSE(page_->LblReport[i]->geometry().contains(picture->mapTo(page_, corner)));
        QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, corner);
        QTest::mouseDClick(picture, Qt::LeftButton, Qt::NoModifier, corner);
        Settle();
    }
    EXPECT_FALSE(frmUserReport::isLoaded() || frmReport::isLoaded() || frmBuyReport::isLoaded());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_TRUE(!w->isVisible() || w == host_->window()) << w->objectName().toStdString();
    EXPECT_TRUE(Prompts().empty());
}

namespace {
bool SameColour(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
           std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// The last column of a picture's icon on a row: the plate's colour runs unchanged across a
// row between the icon at the left end and the arrow at the right.
int IconRight(const QImage& picture, int row) {
    const QRgb plate = picture.pixel(picture.width() / 2, row);
    for (int x = picture.width() / 3; x >= 0; --x)
        if (!SameColour(picture.pixel(x, row), plate)) return x;
    return -1;
}

// The first column of a label's red caption.
int CaptionLeft(const QImage& label) {
    for (int x = 0; x < label.width(); ++x)
        for (int y = 0; y < label.height(); ++y) {
            const QColor c = label.pixelColor(x, y);
            if (c.alpha() > 128 && c.red() > 160 && c.green() < 100 && c.blue() < 100) return x;
        }
    return -1;
}
}  // namespace

// Each caption stands clear of the icon at the left end of its picture, as drawn.
TEST_F(StatisticsPageTest, EachCaptionStandsClearOfItsPicturesIcon) {
    host_->show();
    Settle();
    for (int i = 0; i < StatisticsPage::kLinks; ++i) {
        PictureButton* picture = page_->ImgReport[i];
        Label* label = page_->LblReport[i];
        const int row = label->geometry().center().y() - picture->y();
        const int icon = IconRight(picture->grab().toImage(), row);
        const int caption = CaptionLeft(label->grab().toImage());
        ASSERT_GE(icon, 0) << i;
        ASSERT_GE(caption, 0) << i;
        EXPECT_GE((label->x() + caption) - (picture->x() + icon), 5)
            << label->Caption().toStdString();
    }
}
