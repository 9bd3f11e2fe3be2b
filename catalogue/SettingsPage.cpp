#include "catalogue/SettingsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/mdlMain.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kAmountFormat = "￥#,##0.00;($#,##0.00)";
const char* const kSettingsRow = "select * from pricepercent";
const char* const kForeGiftRule = "select * from foregift";

struct RuleCaptions {
    const char* walkIn;
    const char* member;
};
// The captions of the two amount boxes for rules 1 and 2 (rule 0 hides them).
constexpr RuleCaptions kRuleCaptions[3] = {
    {nullptr, nullptr},
    {"零租用户每张光盘收取", "会员每张光盘收取"},
    {"零租用户固定收取", "会员固定收取"},
};

MaskEdBox* AmountBox(const QString& name, const QString& format) {
    auto* m = Named<MaskEdBox>(name);
    m->SetFormat(format);
    m->setMaximumWidth(140);
    return m;
}
}  // namespace

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("SettingsPage");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList("Frame2", "光盘格式", "dgType", "Command7", "Command8", dgType,
                                Command7, Command8),
                      0, 0, 2, 1);
    layout->addWidget(BuildList("Frame3", "影片类型", "dgMovieType", "Command4", "Command6",
                                dgMovieType, Command4, Command6),
                      0, 1, 2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPercent("Frame10", "出租价格设置", "MaskEdBox2", MaskEdBox2));
    right->addWidget(BuildPercent("Frame11", "出售价格设置", "MaskEdBox3", MaskEdBox3));
    right->addWidget(BuildFee());
    right->addWidget(BuildForeGift());
    right->addStretch();
    layout->addLayout(right, 0, 2, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
}

QGroupBox* SettingsPage::BuildList(const QString& frame, const QString& caption,
                                   const QString& gridName, const QString& addName,
                                   const QString& deleteName, DataGrid*& grid, QPushButton*& add,
                                   QPushButton*& del) {
    auto* box = Named<QGroupBox>(frame, caption);
    auto* v = new QVBoxLayout(box);
    grid = Named<DataGrid>(gridName);
    grid->AddColumn(caption, "type", 2400);
    grid->Columns(0).SetLocked(true);
    v->addWidget(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add = Named<QPushButton>(addName, QStringLiteral("增加")));
    buttons->addWidget(del = Named<QPushButton>(deleteName, QStringLiteral("删除")));
    v->addLayout(buttons);
    (frame == "Frame2" ? Frame2 : Frame3) = box;
    return box;
}

QGroupBox* SettingsPage::BuildPercent(const QString& frame, const QString& caption,
                                      const QString& boxName, MaskEdBox*& box) {
    auto* group = Named<QGroupBox>(frame, caption);
    auto* row = new QHBoxLayout(group);
    box = AmountBox(boxName, "0%");
    row->addWidget(new QLabel(QStringLiteral("会员价格　=")));
    row->addWidget(box);
    row->addWidget(new QLabel(QStringLiteral("一般价格")));
    row->addStretch();
    (frame == "Frame10" ? Frame10 : Frame11) = group;
    return group;
}

QGroupBox* SettingsPage::BuildFee() {
    Frame12 = Named<QGroupBox>("Frame12", QStringLiteral("会费设置"));
    auto* row = new QHBoxLayout(Frame12);
    MaskEdBox4 = AmountBox("MaskEdBox4", kAmountFormat);
    row->addWidget(new QLabel(QStringLiteral("会费")));
    row->addWidget(MaskEdBox4);
    row->addWidget(new QLabel(QStringLiteral("/月")));
    row->addStretch();
    return Frame12;
}

QGroupBox* SettingsPage::BuildForeGift() {
    Frame15 = Named<QGroupBox>("Frame15", QStringLiteral("押金设置"));
    auto* grid = new QGridLayout(Frame15);
    const char* captions[3] = {"光盘购买金额", "按光盘数量收取", "固定金额"};
    for (int i = 0; i < 3; ++i) {
        Option3[i] = NamedAt<QRadioButton>("Option3", i, QString::fromUtf8(captions[i]));
        grid->addWidget(Option3[i], i, 0, 1, 2);
    }
    Label73 = Named<Label>("Label73", QString::fromUtf8(kRuleCaptions[1].walkIn));
    Label75 = Named<Label>("Label75", QString::fromUtf8(kRuleCaptions[1].member));
    MskForeGiftSet = AmountBox("MskForeGiftSet", kAmountFormat);
    MskMemberForeGiftSet = AmountBox("MskMemberForeGiftSet", kAmountFormat);
    grid->addWidget(Label73, 3, 0);
    grid->addWidget(MskForeGiftSet, 3, 1);
    grid->addWidget(Label75, 4, 0);
    grid->addWidget(MskMemberForeGiftSet, 4, 1);
    return Frame15;
}

void SettingsPage::LoadPricePercent() {
    adoPricePercent = std::make_unique<Recordset>();
    adoPricePercent->Open(kSettingsRow, gConn, adLockOptimistic);
    if (adoPricePercent->AtEOF()) return;
    MaskEdBox2->SetText(Format((*adoPricePercent)["percentb"].ToDouble(), "##%"));
    MaskEdBox3->SetText(Format((*adoPricePercent)["percents"].ToDouble(), "##%"));
    MaskEdBox4->SetText(Format((*adoPricePercent)["tax"].ToDouble(), "￥#,##0.00"));
}

void SettingsPage::LoadForeGift() {
    gRsForeGift = std::make_unique<Recordset>();
    gRsForeGift->Open(kForeGiftRule, gConn, adLockBatchOptimistic);
    gForeGiftLoaded = false;
    if (!gRsForeGift->AtEOF()) {
        const int rule = static_cast<int>((*gRsForeGift)["foregifttype"].ToInt());
        if (rule >= 0 && rule < 3) {
            Option3[rule]->setChecked(true);
            Option3_Click(rule);
        }
        MskForeGiftSet->SetText(NullToStr((*gRsForeGift)["money"]));
        MskMemberForeGiftSet->SetText(NullToStr((*gRsForeGift)["membermoney"]));
    }
    gForeGiftLoaded = true;
}

void SettingsPage::Option3_Click(int Index) {
    if (Index == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{MskForeGiftSet, Label73,
                                                          MskMemberForeGiftSet, Label75})
            w->hide();
        return;
    }
    if (Index < 0 || Index > 2) return;
    Label73->SetCaption(QString::fromUtf8(kRuleCaptions[Index].walkIn));
    Label75->SetCaption(QString::fromUtf8(kRuleCaptions[Index].member));
    for (QWidget* w : std::initializer_list<QWidget*>{MskForeGiftSet, Label73,
                                                      MskMemberForeGiftSet, Label75})
        w->show();
}

int SettingsPage::SelectedForeGiftType() const {
    for (int i = 0; i < 3; ++i)
        if (Option3[i]->isChecked()) return i;
    return 0;
}
