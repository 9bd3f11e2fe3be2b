#include "reports/StatisticsPage.h"

#include "core/pictures/Pictures.h"
#include "platform/ui/Controls.h"

namespace {
struct LinkPlace {
    const char* caption;
    int labelLeft, labelTop, labelWidth;  // twips, page coordinates
    int pictureLeft, pictureTop;
};

// Two columns of four: the customer, income, purchase and return reports on the left,
// the rental, top-rented, sales and top-selling reports on the right.
constexpr LinkPlace kLinkPlaces[StatisticsPage::kLinks] = {
    {"统计本店的客户信息", 2280, 540, 2040, 1260, 120},
    {"统计本店的收入及支出情况", 1920, 2040, 2715, 1260, 1620},
    {"显示本店近期光盘的购买情况", 1800, 3600, 2940, 1260, 3180},
    {"统计本店近期的光盘归还情况", 1860, 5100, 2925, 1260, 4680},
    {"统计本店近期的光盘出租情况", 7020, 540, 2925, 6480, 120},
    {"显示出租最热门的50张光盘", 7140, 2040, 2730, 6480, 1620},
    {"统计本店光盘出售情况", 7320, 3600, 2250, 6480, 3180},
    {"显示出售最热门的50张光盘", 7140, 5100, 2715, 6480, 4680},
};
constexpr int kLabelHeight = 210;
constexpr int kPictureHeight = 1065;

int PictureWidth(int index) {
    return index < 4 ? 4000 : 4005;
}
}  // namespace

StatisticsPage::StatisticsPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("StatisticsPage");
    const QFont linkFont = CjkFont("宋体", 10.5, true);
    for (int i = 0; i < kLinks; ++i) {
        const LinkPlace& place = kLinkPlaces[i];
        ImgReport[i] = NamedAt<PictureButton>("ImgReport", i, this);
        ImgReport[i]->SetStretch(true);
        MoveTwips(ImgReport[i], place.pictureLeft, place.pictureTop, PictureWidth(i),
                  kPictureHeight);
        ImgReport[i]->SetPicture(Pictures::ReportButton(i, ImgReport[i]->size()));

        LblReport[i] = NamedAt<Label>("LblReport", i, QString::fromUtf8(place.caption), this);
        LblReport[i]->setFont(linkFont);
        LblReport[i]->setStyleSheet("color: rgb(255, 0, 0); background: transparent;");
        LblReport[i]->setCursor(Qt::PointingHandCursor);
        // A bold Chinese caption needs a little more room than the design's width.
        MoveTwips(LblReport[i], place.labelLeft, place.labelTop, place.labelWidth + 600,
                  kLabelHeight + 90);
    }
    setMinimumSize(TwipsToPixels(11000), TwipsToPixels(6000));
}

void StatisticsPage::ClearUnderlines(int last) {
    for (int i = 0; i <= last && i < kLinks; ++i) {
        QFont f = LblReport[i]->font();
        f.setUnderline(false);
        LblReport[i]->setFont(f);
    }
}

bool StatisticsPage::IsUnderlined(int index) const {
    return LblReport[index]->font().underline();
}
