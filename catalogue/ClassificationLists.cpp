#include "catalogue/ClassificationLists.h"

#include <QComboBox>

#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationList.h"
#include "catalogue/SettingsPage.h"
#include "core/frmMain.h"
#include "counter/CounterPage.h"

namespace {
// A filter that shows part of its list ("" is a combo never filled).
bool Narrows(const QComboBox* filter) {
    return !filter->currentText().isEmpty() && filter->currentText() != QStringLiteral("全部");
}
}  // namespace

ClassificationLists& ClassificationLists::Of(frmMain& main) {
    auto* lists = main.findChild<ClassificationLists*>(QString(), Qt::FindDirectChildrenOnly);
    return lists ? *lists : *new ClassificationLists(main);
}

ClassificationLists::ClassificationLists(frmMain& main) : QObject(&main), main_(main) {
    SettingsPage* s = main.Settings;
    CataloguePage* c = main.Catalogue;
    CounterPage* k = main.Counter;
    formats_ = new ClassificationList(
        {"type", "type", 1, QStringLiteral("光盘格式"), s->dgType, s->Command7, s->Command8,
         &s->adoType, c->CboType, c->CboManageType, k->CboTypeFind, &c->TypeIDs},
        this);
    movieTypes_ = new ClassificationList(
        {"movietype", "movietype", 3, QStringLiteral("影片类型"), s->dgMovieType, s->Command4,
         s->Command6, &s->adoMovieType, c->CboMovieType, c->CboManageMovieType, k->CboMovietypeFind,
         &c->MovieTypeIDs},
        this);
}

void ClassificationLists::FillTypeLists() {
    CataloguePage* c = main_.Catalogue;
    CounterPage* k = main_.Counter;
    const bool catalogueFiltered = Narrows(c->CboManageType) || Narrows(c->CboManageMovieType);
    const bool counterFiltered = Narrows(k->CboTypeFind) || Narrows(k->CboMovietypeFind);
    formats_->Fill();
    movieTypes_->Fill();
    if (catalogueFiltered) c->CboManageType_Click();
    if (counterFiltered) k->SetDispSourse(QString());
}

void ClassificationLists::Command7_Click() {
    formats_->Add();
}
void ClassificationLists::Command8_Click() {
    formats_->Delete();
}
void ClassificationLists::Command4_Click() {
    movieTypes_->Add();
}
void ClassificationLists::Command6_Click() {
    movieTypes_->Delete();
}

void ClassificationLists::SavePendingEdits() {
    formats_->SavePendingEdits();
    movieTypes_->SavePendingEdits();
}

bool ClassificationLists::IsAddType() const {
    return formats_->IsAdding();
}
bool ClassificationLists::IsAddMovieType() const {
    return movieTypes_->IsAdding();
}
