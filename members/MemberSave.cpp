#include "members/MemberSave.h"

#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kNumberField = "userid";
const char* const kNameField = "username";
}  // namespace

MemberSave::Result MemberSave::Run() {
    Result result;
    result.dropped = DropNameless();
    const std::vector<Bookmark> pending = members_.PendingRows();
    if (pending.empty() && !members_.HasPendingChanges()) return result;
    Result check = CheckNumbers();
    if (check.Refused()) {
        check.dropped = result.dropped;
        return check;
    }
    members_.UpdateBatch(adAffectAll);
    result.outcome = Outcome::Written;
    result.written = static_cast<int>(pending.size());
    ShopEvents::AnnounceMembersChanged(source_);
    return result;
}

// The name rule, on each pending row: one without a name is never written.
int MemberSave::DropNameless() {
    const int name = members_.FieldIndex(kNameField);
    int dropped = 0;
    for (Bookmark b : members_.PendingRows()) {
        if (!NullToStr(members_.ValueAt(members_.PositionOf(b), name)).trimmed().isEmpty())
            continue;
        members_.CancelRow(b);
        ++dropped;
    }
    return dropped;
}

MemberSave::Result MemberSave::CheckNumbers() const {
    const int number = members_.FieldIndex(kNumberField);
    Result result;
    for (Bookmark b : members_.PendingRows()) {
        const QString n = NullToStr(members_.ValueAt(members_.PositionOf(b), number)).trimmed();
        result.number = n;
        if (n.isEmpty()) {
            result.outcome = Outcome::EmptyNumber;
            return result;
        }
        if (CountNumber(n) > 1) {
            result.outcome = Outcome::DuplicateNumber;
            return result;
        }
    }
    result.number.clear();
    return result;
}

// The recordset holds every member: a number is taken when another row has it too.
int MemberSave::CountNumber(const QString& number) const {
    const int field = members_.FieldIndex(kNumberField);
    int count = 0;
    for (int p = 1; p <= members_.RecordCount(); ++p)
        if (NullToStr(members_.ValueAt(p, field)).trimmed() == number) ++count;
    return count;
}

QString MemberSave::RefusalMessage(const Result& result) {
    if (result.outcome == Outcome::EmptyNumber)
        return QStringLiteral("会员编号不能为空，请填写会员编号后再保存。");
    return QStringLiteral("会员编号“%1”已经有会员在用，请换一个编号后再保存。").arg(result.number);
}
