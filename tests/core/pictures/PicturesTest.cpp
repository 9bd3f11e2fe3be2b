#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>
#include <vector>

#include "core/pictures/Pictures.h"

namespace {

using Loader = std::function<QPixmap(int, QSize)>;

struct Family {
    const char* name;
    int count;
    QSize designSize;
    Loader load;
};

std::vector<Family> Families() {
    return {
        {"page button", Pictures::kPageButtons, Pictures::kPageButtonSize, &Pictures::PageButton},
        {"page background", Pictures::kPageBackgrounds, Pictures::kPageBackgroundSize,
         &Pictures::PageBackground},
        {"report button", Pictures::kReportButtons, Pictures::kReportButtonSize,
         &Pictures::ReportButton}};
}

int OpaquePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255) ++count;
    return count;
}

// The darkest pixel of an area, as HSV value (0 black, 255 white).
int DarkestValue(const QImage& image, const QRect& area) {
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::min(darkest, QColor(image.pixel(x, y)).value());
    return darkest;
}

TEST(Pictures, EveryPictureRendersAtTheSizeAsked) {
    // The design size, the sizes the main window uses, and odd ones.
    const std::vector<QSize> sizes = {QSize(1, 1),     QSize(64, 48),    QSize(267, 71),
                                      QSize(640, 400), QSize(1000, 300), QSize(300, 1000)};
    for (const Family& family : Families()) {
        for (int i = 0; i < family.count; ++i) {
            std::vector<QSize> all = sizes;
            all.push_back(family.designSize);
            for (const QSize& size : all) {
                SCOPED_TRACE(testing::Message() << family.name << " " << i << " at " << size.width()
                                                << "x" << size.height());
                const QPixmap pixmap = family.load(i, size);
                ASSERT_FALSE(pixmap.isNull());
                EXPECT_EQ(pixmap.size(), size);
                if (size.width() < 16) continue;  // rounded corners leave a speck see-through
                const QImage image = pixmap.toImage();
                EXPECT_GT(OpaquePixels(image, image.rect()), image.width() * image.height() / 2)
                    << "the picture draws little or nothing";
            }
        }
    }
}

TEST(Pictures, BadIndexOrEmptySizeGivesNullPixmap) {
    for (const Family& family : Families()) {
        SCOPED_TRACE(family.name);
        EXPECT_TRUE(family.load(-1, family.designSize).isNull());
        EXPECT_TRUE(family.load(family.count, family.designSize).isNull());
        EXPECT_TRUE(family.load(0, QSize(0, 0)).isNull());
        EXPECT_TRUE(family.load(0, QSize(100, 0)).isNull());
        EXPECT_TRUE(family.load(0, QSize(-5, -5)).isNull());
    }
}

TEST(Pictures, PicturesOfOneKindDifferFromEachOther) {
    for (const Family& family : Families()) {
        for (int i = 0; i < family.count; ++i)
            for (int j = i + 1; j < family.count; ++j)
                EXPECT_NE(family.load(i, family.designSize).toImage(),
                          family.load(j, family.designSize).toImage())
                    << family.name << " " << i << " and " << j << " are the same picture";
    }
}

TEST(Pictures, BackgroundsCoverEveryShapeAndStayLight) {
    // Controls lie on the backgrounds: no gap at any edge, and nothing dark under them.
    for (int i = 0; i < Pictures::kPageBackgrounds; ++i) {
        for (const QSize& size : {QSize(1200, 200), QSize(200, 900), QSize(800, 500)}) {
            SCOPED_TRACE(testing::Message()
                         << "background " << i << " at " << size.width() << "x" << size.height());
            const QImage image = Pictures::PageBackground(i, size).toImage();
            EXPECT_EQ(OpaquePixels(image, image.rect()), size.width() * size.height());
            EXPECT_GE(DarkestValue(image, image.rect()), 200);
        }
    }
}

TEST(Pictures, ReportButtonsLeaveTheLinkAreaClear) {
    // The red link text lies across the middle of the plate (the labels start 36 pixels
    // in and sit 28 pixels down on a 267 x 71 plate): only the light plate shows there.
    const QRect linkArea(36, 26, 200, 18);
    for (int i = 0; i < Pictures::kReportButtons; ++i) {
        SCOPED_TRACE(testing::Message() << "report button " << i);
        const QImage image = Pictures::ReportButton(i, QSize(267, 71)).toImage();
        EXPECT_EQ(OpaquePixels(image, linkArea), linkArea.width() * linkArea.height());
        EXPECT_GE(DarkestValue(image, linkArea), 225);
    }
}

TEST(Pictures, PageButtonCaptionsAreDrawnAsChineseGlyphs) {
    // Each button carries its own caption: 出租 and 出售 differ, drawn in dark ink.
    const QRect captionBand(8, 52, 80, 16);
    const QImage rental = Pictures::PageButton(0, Pictures::kPageButtonSize).toImage();
    const QImage sale = Pictures::PageButton(6, Pictures::kPageButtonSize).toImage();
    EXPECT_NE(rental.copy(captionBand), sale.copy(captionBand));
    for (int i = 0; i < Pictures::kPageButtons; ++i) {
        const QImage image = Pictures::PageButton(i, Pictures::kPageButtonSize).toImage();
        EXPECT_LT(DarkestValue(image, captionBand), 120) << "button " << i << " has no caption";
    }
}

TEST(Pictures, PageButtonsAreCutWholeFromTheirRow) {
    // The buttons are drawn side by side and cut apart: each must hold one whole plate,
    // rounded corners see-through, both side edges (within the outline's width) and the
    // middle drawn, at any size.
    for (const QSize& size : {QSize(96, 72), QSize(64, 48), QSize(137, 71), QSize(300, 1000)}) {
        for (int i = 0; i < Pictures::kPageButtons; ++i) {
            SCOPED_TRACE(testing::Message()
                         << "button " << i << " at " << size.width() << "x" << size.height());
            const QImage image = Pictures::PageButton(i, size).toImage();
            const int right = size.width() - 1;
            const int middle = size.height() / 2;
            const int rim = size.width() / 48;  // the outline lies within a unit of the edge
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(image.pixel(right, 0)), 0);
            EXPECT_EQ(qAlpha(image.pixel(0, size.height() - 1)), 0);
            EXPECT_EQ(qAlpha(image.pixel(right, size.height() - 1)), 0);
            EXPECT_GT(qAlpha(image.pixel(rim, middle)), 0) << "left edge missing";
            EXPECT_GT(qAlpha(image.pixel(right - rim, middle)), 0) << "right edge missing";
            EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, middle)), 255);
        }
    }
}

TEST(Pictures, WindowIconOffersTheUsualSizes) {
    const QIcon icon = Pictures::WindowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int side : {16, 32, 48, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        EXPECT_EQ(pixmap.size(), QSize(side, side)) << side;
        EXPECT_GT(OpaquePixels(pixmap.toImage(), pixmap.rect()), side * side / 2) << side;
    }
}

}  // namespace
