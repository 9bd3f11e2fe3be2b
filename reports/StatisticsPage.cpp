#include "reports/StatisticsPage.h"

#include <algorithm>

#include "core/MainWindow.h"
#include "core/pictures/Pictures.h"
#include "platform/ui/Controls.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmBuyReport.h"
#include "reports/frmEarnReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmReport.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"
#include "reports/frmUserReport.h"

namespace {
// Loads the report window on first use (running its Form_Load) and shows it modeless,
// owned by the main window; an open one only comes to the front.
template <class W>
void OpenReport() {
    W::instance().Show(vbModeless, MainWindow::Owner());
}

// The window each link opens, by the link's index.
using Opener = void (*)();
constexpr Opener kOpeners[StatisticsPage::kLinks] = {
    OpenReport<frmUserReport>,     // 0 the customers
    OpenReport<frmReport>,         // 1 income and expenditure
    OpenReport<frmBuyReport>,      // 2 purchases
    OpenReport<frmEarnReport>,     // 3 returns income
    OpenReport<frmBorrowReport>,   // 4 rentals
    OpenReport<frmHotCDInfo>,      // 5 the 50 most rented
    OpenReport<frmSellEarnInfo>,   // 6 sales income
    OpenReport<frmSellHotCDInfo>,  // 7 the 50 best selling
};

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
// Each picture carries its report's icon at its left end, over the first 35 of the 270
// units of its width; a caption begins a little clear of it, wherever its label begins.
constexpr double kIconRight = 35.0 / 270.0;
constexpr int kCaptionClearance = 8;  // pixels

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
        // Only the label on the picture opens its report: the picture keeps the default
        // pointer, and a click on it does nothing.
        ImgReport[i]->unsetCursor();

        LblReport[i] = NamedAt<Label>("LblReport", i, QString::fromUtf8(place.caption), this);
        LblReport[i]->setFont(linkFont);
        LblReport[i]->setStyleSheet("color: rgb(255, 0, 0); background: transparent;");
        LblReport[i]->setCursor(Qt::PointingHandCursor);
        // A bold Chinese caption needs a little more room than the design's width.
        MoveTwips(LblReport[i], place.labelLeft, place.labelTop, place.labelWidth + 600,
                  kLabelHeight + 90);
        const int iconRight = ImgReport[i]->x() + qRound(ImgReport[i]->width() * kIconRight);
        LblReport[i]->setIndent(std::max(0, iconRight + kCaptionClearance - LblReport[i]->x()));
        OnClick(LblReport[i], this, [this, i] { RunReported([&] { LblReport_Click(i); }); });
        OnMouseMove(LblReport[i], this, [this, i] { LblReport_MouseMove(i); });
        connect(ImgReport[i], &PictureButton::MouseMove, this,
                [this, i] { ImgReport_MouseMove(i); });
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

void StatisticsPage::LblReport_Click(int Index) {
    if (Index < 0 || Index >= kLinks || !kOpeners[Index]) return;
    kOpeners[Index]();
}

void StatisticsPage::LblReport_MouseMove(int Index) {
    if (Index < 0 || Index >= kLinks || IsUnderlined(Index)) return;
    ClearUnderlines(kLinks - 1);
    QFont f = LblReport[Index]->font();
    f.setUnderline(true);
    LblReport[Index]->setFont(f);
}

void StatisticsPage::ImgReport_MouseMove(int Index) {
    Q_UNUSED(Index);
    ClearUnderlines(kLinks - 1);
}
