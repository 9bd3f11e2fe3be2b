#include "members/MemberFigures.h"

#include "core/OpenBaskets.h"
#include "platform/db/Statement.h"

namespace {
// The customer key ?1's lines; %1 leaves out the baskets still open at the counter, which
// are no rental or sale yet.
const char* const kRentalLines =
    "select count(*) as [count], total([money]) as [money] from borrowinfo where name=?1 "
    "and %1";
const char* const kSaleLines =
    "select count(*) as [count], total([money]) as [money] from sellinfo where name=?1 and %1";

MemberFigures::Lines Read(Connection& conn, const QString& sql, const Params& params) {
    Statement st(conn, sql);
    st.Bind(params);
    MemberFigures::Lines lines;
    if (st.Step()) {
        lines.count = st.Column(0).ToInt();
        lines.money = st.Column(1).ToDouble();
    }
    return lines;
}
}  // namespace

MemberFigures::Lines MemberFigures::Rentals(Connection& conn, const QString& userId) {
    return Read(conn,
                QString::fromUtf8(kRentalLines).arg(OpenBaskets::NotInRentalBasket("borrowinfo")),
                {userId});
}

MemberFigures::Lines MemberFigures::Sales(Connection& conn, const QString& userId) {
    return Read(conn, QString::fromUtf8(kSaleLines).arg(OpenBaskets::NotInSaleBasket("sellinfo")),
                {userId});
}

QString MemberFigures::CountText(qint64 count) {
    return QString::number(count) + QStringLiteral("次");
}
