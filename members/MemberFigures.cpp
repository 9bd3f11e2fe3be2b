#include "members/MemberFigures.h"

#include "platform/db/Statement.h"

namespace {
const char* const kRentalLines =
    "select count(*) as [count], total([money]) as [money] from borrowinfo where name=?1";
const char* const kSaleLines =
    "select count(*) as [count], total([money]) as [money] from sellinfo where name=?1";

MemberFigures::Lines Read(Connection& conn, const char* sql, const QString& userId) {
    Statement st(conn, QString::fromUtf8(sql));
    st.Bind({userId});
    MemberFigures::Lines lines;
    if (st.Step()) {
        lines.count = st.Column(0).ToInt();
        lines.money = st.Column(1).ToDouble();
    }
    return lines;
}
}  // namespace

MemberFigures::Lines MemberFigures::Rentals(Connection& conn, const QString& userId) {
    return Read(conn, kRentalLines, userId);
}

MemberFigures::Lines MemberFigures::Sales(Connection& conn, const QString& userId) {
    return Read(conn, kSaleLines, userId);
}

QString MemberFigures::CountText(qint64 count) {
    return QString::number(count) + QStringLiteral("次");
}
