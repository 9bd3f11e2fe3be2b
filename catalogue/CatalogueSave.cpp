#include "catalogue/CatalogueSave.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

#include "catalogue/CatalogueInput.h"
#include "catalogue/CataloguePage.h"
#include "core/mdlMain.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kTitle = "提示";
const char* const kNameRequired = "影片名称不能为空！";
const char* const kDiscNumberRequired = "光盘编号不能为空！";
const char* const kReclassifyInUse =
    "这张光盘还有租出未还的光盘，或者在未结帐的出租、出售中，现在不能更改它的光盘格式或影片类型！"
    "（要保存其他修改，请先把光盘格式和影片类型改回原来的。）";
}  // namespace

SaveOutcome CatalogueSave::Run(Scope scope) {
    if (scope == CataloguePageOnly && !page_.IsShowing()) return SaveOutcome::NothingToSave;
    if (!page_.HasCurrentRow()) return SaveOutcome::NothingToSave;
    if (!CheckRequiredFields()) return SaveOutcome::Refused;
    CatalogueTitleWrite::Request request;
    if (!ReadEntry(request.fields)) return SaveOutcome::Refused;
    request.needsNewId = NeedsNewId();
    request.typeCode = CodeOf(true);
    request.movieTypeCode = CodeOf(false);
    // A failed write (a locked or read-only file) raises, leaving the title as the operator
    // left it: still pending, with no id of this attempt, so the next save starts afresh.
    const auto written = CatalogueTitleWrite(gConn, *page_.adoCDInfo).Run(request);
    if (written.outcome == CatalogueTitleWrite::Outcome::InUse)
        return Refuse(QString::fromUtf8(kReclassifyInUse), vbExclamation);
    if (written.outcome == CatalogueTitleWrite::Outcome::NoIdLeft)
        return Refuse(written.refusal, vbExclamation);
    page_.RefreshCounter();
    page_.ShowSavedEntry();
    page_.IsNewCD = false;
    return SaveOutcome::Saved;
}

SaveOutcome CatalogueSave::Refuse(const QString& prompt, int icon) {
    MsgBox(prompt, vbOKOnly + icon, QString::fromUtf8(kTitle));
    return SaveOutcome::Refused;
}

bool CatalogueSave::CheckRequiredFields() {
    if (page_.TxtName->text().trimmed().isEmpty()) {
        Refuse(QString::fromUtf8(kNameRequired), vbCritical);
        return false;
    }
    if (page_.Text1->text().trimmed().isEmpty()) {
        Refuse(QString::fromUtf8(kDiscNumberRequired), vbCritical);
        return false;
    }
    return true;
}

bool CatalogueSave::ReadEntry(CatalogueTitleWrite::Fields& fields) {
    const auto inputs = CatalogueInput::PriceInputs(page_);
    // In the order of PriceInputs.
    Money* const prices[] = {&fields.borrowPrice, &fields.sellPrice, &fields.memberBorrowPrice,
                             &fields.memberSellPrice, &fields.price};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const QString typed = inputs[i].box->Text();
        const auto amount = CatalogueInput::ReadPrice(typed);
        if (!amount) {
            Refuse(CatalogueInput::PriceRefusal(inputs[i].label, typed), vbExclamation);
            return false;
        }
        *prices[i] = *amount;
    }
    const QString typedCount = page_.MebCount->Text();
    const auto count = CatalogueInput::ReadCount(typedCount);
    if (!count) {
        Refuse(CatalogueInput::CountRefusal(typedCount), vbExclamation);
        return false;
    }
    // A title has at least one copy.
    fields.copies = *count == 0 ? 1 : static_cast<int>(*count);
    const auto date = CatalogueInput::ReadDate(page_.MebDate->Text());
    if (!date) {
        Refuse(CatalogueInput::DateRefusal(page_.MebDate->Text()), vbExclamation);
        return false;
    }
    fields.buyDate = *date;
    // What the combos show is what the row will hold.
    fields.type = page_.CboType->currentText();
    fields.movieType = page_.CboMovieType->currentText();
    return true;
}

// A new title gets its id; so does a title given another format or movie type, since
// the id begins with their codes. What the combos show is what the row will hold.
bool CatalogueSave::NeedsNewId() const {
    return page_.TxtID->text().isEmpty() || page_.CboType->currentText() != page_.OldType ||
           page_.CboMovieType->currentText() != page_.OldMovieType;
}

// The code of the chosen format (or movie type): 0 when none is chosen, -1 when the
// list has no code for the entry.
int CatalogueSave::CodeOf(bool format) const {
    const QComboBox* combo = format ? page_.CboType : page_.CboMovieType;
    const std::vector<int>& ids = format ? page_.TypeIDs : page_.MovieTypeIDs;
    if (combo->currentText().isEmpty()) return 0;
    const int index = combo->currentIndex();
    return index >= 0 && index < static_cast<int>(ids.size()) ? ids[index] : -1;
}
