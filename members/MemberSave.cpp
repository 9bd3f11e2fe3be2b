#include "members/MemberSave.h"

#include "core/mdlMain.h"
#include "members/MemberNumber.h"
#include "platform/text/QuotedInput.h"

namespace {
const char* const kNumberField = "userid";
const char* const kNameField = "username";
const char* const kMoneyField = "money";
// What only the operator fills in: a new member with none of it was never begun.
const char* const kTypedFields[] = {"username", "telephone", "address"};
const char* const kMemberWithNumber = "select count(*) from userinfo where userid = ?1";

// Null is how the file says "nothing": a Null text reads as empty, a Null amount as 0.
bool ReadsTheSame(const Value& now, const Value& stored) {
    if (now == stored) return true;
    if (now.IsNull() == stored.IsNull()) return false;
    const Value& other = now.IsNull() ? stored : now;
    return other.IsNumber() ? other.ToDouble() == 0 : other.ToString().isEmpty();
}

// The recordset checks that each row it writes is still as it was read; our own checks
// carry no engine code, and during a write they are only that one.
bool IsChangedElsewhere(const DbError& e) {
    return e.Code() == 0;
}
}  // namespace

MemberSave::Result MemberSave::Run() {
    Result result;
    result.dropped = DropEmptyNewMembers();
    ForgetRowsAsStored();
    if (members_.PendingRows().empty() && !members_.HasPendingChanges()) return result;
    Connection& conn = *members_.ActiveConnection();
    Transaction t(conn);
    Result check = CheckRows();
    if (check.Refused()) {
        check.dropped = result.dropped;
        return check;
    }
    const int pending = static_cast<int>(members_.PendingRows().size());
    try {
        members_.UpdateBatch(adAffectAll);
    } catch (const DbError& e) {
        if (!IsChangedElsewhere(e)) throw;
        result.outcome = Outcome::ChangedElsewhere;
        return result;
    }
    t.Commit();
    result.outcome = Outcome::Written;
    result.written = pending;
    return result;
}

QString MemberSave::Text(Bookmark b, const char* field) const {
    return NullToStr(members_.ValueAt(members_.PositionOf(b), members_.FieldIndex(field)))
        .trimmed();
}

bool MemberSave::IsEmptyNewMember(Bookmark b) const {
    if (!members_.IsNewRow(b)) return false;
    for (const char* field : kTypedFields)
        if (!Text(b, field).isEmpty()) return false;
    const Value money = members_.ValueAt(members_.PositionOf(b), members_.FieldIndex(kMoneyField));
    return money.ToDouble() == 0;
}

int MemberSave::DropEmptyNewMembers() {
    int dropped = 0;
    for (Bookmark b : members_.PendingRows()) {
        if (!IsEmptyNewMember(b)) continue;
        members_.CancelRow(b);
        ++dropped;
    }
    return dropped;
}

// A box typed into and emptied again, a pay-in refunded: the row reads as the file holds
// it, nothing is to be written, and nothing of it is checked.
void MemberSave::ForgetRowsAsStored() {
    for (Bookmark b : members_.PendingRows())
        if (!members_.IsNewRow(b) && IsAsStored(b)) members_.CancelRow(b);
}

bool MemberSave::IsAsStored(Bookmark b) const {
    const int position = members_.PositionOf(b);
    for (int field = 0; field < members_.FieldCount(); ++field)
        if (!ReadsTheSame(members_.ValueAt(position, field), members_.OriginalOf(b, field)))
            return false;
    return true;
}

MemberSave::Result MemberSave::CheckRows() const {
    for (Bookmark b : members_.PendingRows()) {
        const Result row = CheckRow(b);
        if (row.Refused()) return row;
    }
    return {};
}

MemberSave::Result MemberSave::CheckRow(Bookmark b) const {
    Result result;
    result.row = b;
    result.number = Number(b);
    const bool changed = NumberChanged(b, result.number);
    if (result.number.trimmed().isEmpty())
        result.outcome = Outcome::EmptyNumber;
    else if (Text(b, kNameField).isEmpty())
        result.outcome = Outcome::EmptyName;
    else if (changed && !MemberNumber::IsWellFormed(result.number))
        result.outcome = Outcome::MalformedNumber;
    else if (changed && (CountNumber(result.number) > 1 || HeldInFile(result.number)))
        result.outcome = Outcome::DuplicateNumber;
    return result;
}

// The number exactly as the row holds it: the file tells "000001" from "000001 ".
QString MemberSave::Number(Bookmark b) const {
    return NullToStr(members_.ValueAt(members_.PositionOf(b), members_.FieldIndex(kNumberField)));
}

// A number kept as the file holds it is the member's own, whatever its form, and never a
// duplicate of itself; only a number given or changed here is checked.
bool MemberSave::NumberChanged(Bookmark b, const QString& number) const {
    if (members_.IsNewRow(b)) return true;
    return NullToStr(members_.OriginalOf(b, members_.FieldIndex(kNumberField))) != number;
}

// The recordset holds every member: a number is taken when another row has it too.
int MemberSave::CountNumber(const QString& number) const {
    const int field = members_.FieldIndex(kNumberField);
    int count = 0;
    for (int p = 1; p <= members_.RecordCount(); ++p)
        if (NullToStr(members_.ValueAt(p, field)) == number) ++count;
    return count;
}

// Another program may have given the number to a member since the page read the list.
bool MemberSave::HeldInFile(const QString& number) const {
    return members_.ActiveConnection()->Scalar(kMemberWithNumber, {number}).ToInt() > 0;
}

QString MemberSave::RefusalMessage(const Result& result) {
    const QString number = QuotedInput(result.number);
    switch (result.outcome) {
        case Outcome::EmptyNumber:
            return QStringLiteral("会员编号不能为空，请填写会员编号后再保存。");
        case Outcome::EmptyName:
            return QStringLiteral(
                       "会员编号“%1”的会员姓名不能为空，请填写会员姓名后再保存。"
                       "本页的修改（包括存入或退还的金额）都还没有保存，也没有丢失。")
                .arg(number);
        case Outcome::MalformedNumber:
            return QStringLiteral(
                       "会员编号“%1”不是六位数字，请填写六位数字的会员编号（例如 "
                       "000123）后再保存。")
                .arg(number);
        case Outcome::ChangedElsewhere:
            return QStringLiteral(
                "会员资料已被其他程序修改或删除，本页的修改没有保存"
                "（包括存入或退还的金额）。会员列表已重新读取，"
                "请核对后重新办理。");
        default:
            return QStringLiteral("会员编号“%1”已经有会员在用，请换一个编号后再保存。").arg(number);
    }
}
