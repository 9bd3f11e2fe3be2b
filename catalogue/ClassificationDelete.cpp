#include "catalogue/ClassificationDelete.h"

#include "catalogue/TitleUsage.h"
#include "platform/text/VbText.h"

namespace {
constexpr int kCodeDigits = 2;  // of an entry's code in a cdid

// {table} is the list's table, {column} the column of cdinfo that names the entry,
// {codeStart} where the entry's code stands in a cdid. An entry's titles carry its name
// exactly (the column itself ignores case) and its code: a second entry of the same name
// has titles of its own, or none. ?1 is the name, ?2 the code as the cdid holds it.
const char* const kTitleOfEntryInUse =
    "select 1 from cdinfo "
    "where {column} = ?1 collate binary and substr(cdid, {codeStart}, 2) = ?2 and ";
const char* const kDeleteRentals =
    "delete from borrowinfo where substr(borrowid,1,12) in "
    "(select cdid from cdinfo "
    "where {column} = ?1 collate binary and substr(cdid, {codeStart}, 2) = ?2)";
const char* const kDeleteReturns =
    "delete from returninfo where substr(returnid,1,12) in "
    "(select cdid from cdinfo "
    "where {column} = ?1 collate binary and substr(cdid, {codeStart}, 2) = ?2)";
const char* const kDeleteTitles =
    "delete from cdinfo where {column} = ?1 collate binary and substr(cdid, {codeStart}, 2) = ?2";
const char* const kDeleteEntry = "delete from {table} where typeid = ?1";
}  // namespace

QString ClassificationDelete::Sql(const char* statement) const {
    return QString::fromUtf8(statement)
        .replace(QStringLiteral("{table}"), list_.table)
        .replace(QStringLiteral("{column}"), list_.titleColumn)
        .replace(QStringLiteral("{codeStart}"), QString::number(list_.codeStart));
}

ClassificationDelete::Result ClassificationDelete::Run(int code, const QString& name) {
    const Params ofEntry{name, PadNumber(code, kCodeDigits)};
    Result result;
    Transaction t(conn_);
    if (!conn_.Scalar(Sql(kTitleOfEntryInUse) + TitleUsage::OpenLinesCondition(), ofEntry)
             .IsNull()) {
        result.inUse = true;
        return result;
    }
    conn_.Execute(Sql(kDeleteRentals), ofEntry);
    conn_.Execute(Sql(kDeleteReturns), ofEntry);
    result.titles = conn_.Execute(Sql(kDeleteTitles), ofEntry);
    conn_.Execute(Sql(kDeleteEntry), {code});
    t.Commit();
    return result;
}
