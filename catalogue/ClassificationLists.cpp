#include "catalogue/ClassificationLists.h"

#include <QComboBox>

#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationList.h"
#include "catalogue/SettingsPage.h"
#include "core/Filters.h"

namespace {
const char* const kFormats = "type";
const char* const kMovieTypes = "movietype";
}  // namespace

ClassificationLists& ClassificationLists::Of(SettingsPage& settings, CataloguePage& catalogue) {
    auto* lists = settings.findChild<ClassificationLists*>(QString(), Qt::FindDirectChildrenOnly);
    return lists ? *lists : *new ClassificationLists(settings, catalogue);
}

ClassificationLists::ClassificationLists(SettingsPage& settings, CataloguePage& catalogue)
    : QObject(&settings), catalogue_(catalogue) {
    SettingsPage* s = &settings;
    CataloguePage* c = &catalogue;
    formats_ = new ClassificationList(
        {kFormats, "type", 1, QStringLiteral("光盘格式"), s->dgType, s->Command7, s->Command8,
         &s->adoType, c->CboType, c->CboManageType, &c->TypeIDs},
        this);
    movieTypes_ = new ClassificationList(
        {kMovieTypes, "movietype", 3, QStringLiteral("影片类型"), s->dgMovieType, s->Command4,
         s->Command6, &s->adoMovieType, c->CboMovieType, c->CboManageMovieType, &c->MovieTypeIDs},
        this);
}

void ClassificationLists::FillTypeLists() {
    CataloguePage* c = &catalogue_;
    const bool catalogueFiltered =
        Narrows(c->CboManageType->currentText()) || Narrows(c->CboManageMovieType->currentText());
    formats_->Fill();
    movieTypes_->Fill();
    if (catalogueFiltered) c->CboManageType_Click();
}

void ClassificationLists::FillNewPages() {
    formats_->Fill(ClassificationList::Quiet);
    movieTypes_->Fill(ClassificationList::Quiet);
}

void ClassificationLists::AnnounceStoredLists() {
    ClassificationList::AnnounceStored(kFormats);
    ClassificationList::AnnounceStored(kMovieTypes);
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
