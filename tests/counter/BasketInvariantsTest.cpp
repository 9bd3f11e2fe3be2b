// A long random sequence of the counter's basket operations on a small shop: after every
// operation the copies of every title add up, its rental and sale states agree with its
// lines, the open baskets' totals agree with their rows, a settled basket holds the money
// the operator saw, and the file is sound.
#include <QHash>
#include <iostream>
#include <random>

#include "core/CopyList.h"
#include "core/RecordNumber.h"
#include "core/ShelfCopies.h"
#include "counter/BasketRollback.h"
#include "counter/DepositDue.h"
#include "counter/RentalLineRemoval.h"
#include "counter/RentalSettlement.h"
#include "counter/SaleLineRemoval.h"
#include "counter/SaleSettlement.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"
#include "tests/counter/BasketFixture.h"
#include "tests/reliability/CrashInvariants.h"

namespace {
constexpr int kOperations = 500;
constexpr int kTitles = 16;
const QStringList kCustomers{"000001", "000002", "000003", "O'Brien", "20261208001"};

// "借出部分" with no rental line of the title out, which nothing of the counter leaves now.
const char* const kPartlyLentWithNothingOut =
    "select group_concat(cdid) from cdinfo where station = '借出部分' and not exists ("
    " select 1 from borrowinfo as o where substr(o.borrowid,1,12) = cdinfo.cdid "
    " and coalesce(o.borrowcount,0) > coalesce((select sum(returncount) from returninfo "
    " where substr(returnid,1,16) = o.borrowid), 0))";
const char* const kBasketCopies =
    "select coalesce(sum(borrowcount),0) from borrowinfo where substr(borrowid,-4) = ?1";
const char* const kSaleCopies =
    "select coalesce(sum(sellcount),0) from sellinfo where substr(sellid,-4) = ?1";
const char* const kSettledOut =
    "select borrowid from borrowinfo where isreturnall = 0 and isnotpaylst <> '' "
    "and substr(borrowid,-4) <> ?1 and borrowid not like '0000%' order by borrowid";

class BasketInvariantsTest : public BasketFixture {
  protected:
    void SetUp() override {
        BasketFixture::SetUp();
        Data().Add(ShopData::Member("000003", "王五").Money(200));
        for (int i = 1; i <= kTitles; ++i)
            AddTitle(Cdid(i), QString("片%1").arg(i), 3 + i % 5, 5 + i,
                     i % 3 ? QVariant(10 + i) : QVariant(), i % 4 ? QVariant(4 + i) : QVariant());
    }
    static QString Cdid(int i) { return QString("0301%1").arg(i, 8, 10, QChar('0')); }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    struct Title {
        int count;
        QString station;
        int issell;
    };
    Title TitleOf(const QString& cdid) {
        Statement st(gConn, "select count, station, issell from cdinfo where cdid = ?1");
        st.Bind({cdid});
        st.Step();
        return {static_cast<int>(st.Column(0).ToInt()), st.Column(1).ToString(),
                static_cast<int>(st.Column(2).ToInt())};
    }
    std::vector<int> Shelf(const QString& cdid) {
        const Title t = TitleOf(cdid);
        return ShelfCopies::Of(gConn, cdid, t.count, t.station, t.issell != 0 ? 1 : 0).Copies;
    }
    // A random non-empty choice among offered, in a random order (the order copies are ticked
    // in does not matter to the list, which keeps the list's order).
    std::vector<int> Choose(const std::vector<int>& offered) {
        std::vector<int> chosen;
        for (int copy : offered)
            if (Chance(50)) chosen.push_back(copy);
        if (chosen.empty()) chosen.push_back(offered[Pick(static_cast<int>(offered.size()))]);
        return chosen;
    }
    QStringList LinesOf(const char* table, const char* key, const QString& no) {
        QStringList lines;
        Statement st(gConn, QString("select %1 from %2 where substr(%1,-4) = ?1").arg(key, table));
        st.Bind({no});
        while (st.Step()) lines << st.Column(0).ToString();
        return lines;
    }

    // ---- the operations -------------------------------------------------------------------
    bool CheckOutRental() {
        const QString cdid = Cdid(1 + Pick(kTitles));
        const std::vector<int> shelf = Shelf(cdid);
        if (shelf.empty()) return false;
        if (!rental.Open) {
            deposit = 0;
            rule_ = Pick(3);
            SetDeposit(rule_, 20, 12);
        }
        const std::vector<int> copies = Choose(shelf);
        const RentalCheckOut::Result r =
            Rent(cdid, copies, static_cast<int>(shelf.size()), kCustomers[Pick(kCustomers.size())],
                 false, Chance(20) ? "it's 'quoted'" : "");
        return r.outcome == RentalCheckOut::Outcome::Written;
    }

    bool EditRental() {
        if (!rental.Open) return false;
        const QStringList lines = LinesOf("borrowinfo", "borrowid", rental.No);
        const QString borrowid = lines[Pick(lines.size())];
        const QString cdid = borrowid.left(12);
        const std::vector<int> own = CopyList::Numbers(
            gConn.Scalar("select borrowlst from borrowinfo where borrowid = ?1", {borrowid})
                .ToString());
        std::vector<int> offered = Shelf(cdid);
        offered.insert(offered.end(), own.begin(), own.end());
        std::sort(offered.begin(), offered.end());
        // What the edit's opener takes out of the totals.
        rental.CountSum -= own.size();
        deposit -= DepositDue::Read(gConn, rental.UserName)
                       .OfCopies(gConn, cdid, static_cast<int>(own.size()));
        return Rent(cdid, Choose(offered), static_cast<int>(offered.size()), QString(), true)
                   .outcome == RentalCheckOut::Outcome::Written;
    }

    bool RemoveRental() {
        if (!rental.Open) return false;
        const QStringList lines = LinesOf("borrowinfo", "borrowid", rental.No);
        const RentalLineRemoval::Result r =
            RentalLineRemoval::Run(gConn, rental, lines[Pick(lines.size())]);
        rental.CountSum -= r.copies;
        deposit -= r.deposit;
        if (r.basketEmpty) rental = Basket();
        return r.removed;
    }

    bool SettleRental() {
        if (!rental.Open) return false;
        const bool member = IsUserExist(rental.UserName);
        RentalSettlement::Request request{rental.No, RentalSettlement::Cash,
                                          RoundHalfUp(deposit, 2), "O'Brien's 身份证"};
        const int how = Pick(3);
        if (how == 1) request.kind = RentalSettlement::Pledge;
        if (how == 2 && member) request.kind = RentalSettlement::MemberWaived;
        RentalSettlement::Run(gConn, request);
        ExpectRentalSettled(request);
        rental = Basket();
        return true;
    }

    bool CheckOutSale() {
        const QString cdid = Cdid(1 + Pick(kTitles));
        const std::vector<int> shelf = Shelf(cdid);
        if (shelf.empty() || TitleOf(cdid).issell == 2) return false;
        const QString customer = sale.Open ? sale.UserName : kCustomers[Pick(kCustomers.size())];
        const double price = SaleLineRemoval::PricePerCopy(gConn, cdid, customer);
        const SaleCheckOut::Result r =
            Sell(cdid, Choose(shelf), static_cast<int>(shelf.size()), price, customer);
        return r.outcome == SaleCheckOut::Outcome::Written;
    }

    bool EditSale() {
        if (!sale.Open) return false;
        const QStringList lines = LinesOf("sellinfo", "sellid", sale.No);
        const QString sellid = lines[Pick(lines.size())];
        const QString cdid = sellid.left(12);
        const std::vector<int> own = CopyList::Numbers(
            gConn.Scalar("select selllst from sellinfo where sellid = ?1", {sellid}).ToString());
        std::vector<int> offered = Shelf(cdid);
        offered.insert(offered.end(), own.begin(), own.end());
        std::sort(offered.begin(), offered.end());
        const double price = SaleLineRemoval::PricePerCopy(gConn, cdid, sale.UserName);
        sale.CountSum -= own.size();
        sale.MoneySum = RoundHalfUp(sale.MoneySum - RoundHalfUp(own.size() * price, 2), 2);
        return Sell(cdid, Choose(offered), static_cast<int>(offered.size()), price, QString(), true)
                   .outcome == SaleCheckOut::Outcome::Written;
    }

    bool RemoveSale() {
        if (!sale.Open) return false;
        const QStringList lines = LinesOf("sellinfo", "sellid", sale.No);
        const SaleLineRemoval::Result r =
            SaleLineRemoval::Run(gConn, sale, lines[Pick(lines.size())]);
        sale.CountSum -= r.copies;
        sale.MoneySum = RoundHalfUp(sale.MoneySum - r.money, 2);
        if (r.basketEmpty) sale = Basket();
        return r.removed;
    }

    bool SettleSale() {
        if (!sale.Open) return false;
        const bool fromStoredMoney = IsUserExist(sale.UserName) && Chance(60);
        const double amount = RoundHalfUp(sale.MoneySum + (Chance(30) ? Pick(500) / 100.0 : 0), 2);
        const double before =
            gConn
                .Scalar("select coalesce(money,0) from userinfo where userid = ?1", {sale.UserName})
                .ToDouble();
        SaleSettlement::Run(gConn, {sale.No, amount, fromStoredMoney, sale.UserName});
        const double sum =
            gConn.Scalar("select sum(money) from sellinfo where substr(sellid,-4) = ?1", {sale.No})
                .ToDouble();
        EXPECT_NEAR(sum, amount, 0.005) << "sale " << sale.No.toStdString();
        const double after =
            gConn
                .Scalar("select coalesce(money,0) from userinfo where userid = ?1", {sale.UserName})
                .ToDouble();
        EXPECT_NEAR(after,
                    fromStoredMoney ? std::max(0.0, RoundHalfUp(before - amount, 2)) : before,
                    0.005);
        sale = Basket();
        return true;
    }

    bool RollBack() {
        if (!rental.Open && !sale.Open) return false;
        if (rental.Open) BasketRollback::Run(gConn, BasketRollback::Rental, rental.No);
        if (sale.Open) BasketRollback::Run(gConn, BasketRollback::Sale, sale.No);
        rental = Basket();
        sale = Basket();
        return true;
    }

    // The return page takes a settled rental back whole, so that copies come back to the
    // shelf over a long run.
    bool ReturnSettledRental() {
        Statement st(gConn, kSettledOut);
        st.Bind({rental.Open ? rental.No : QString("----")});
        QStringList out;
        while (st.Step()) out << st.Column(0).ToString();
        if (out.isEmpty()) return false;
        const QString borrowid = out[Pick(out.size())];
        Transaction t(gConn);
        const QString no = *RecordNumber::Lowest(gConn, RecordNumber::Return);
        gConn.Execute(
            "insert into returninfo (returnid, returndate, returncount, returnlst) "
            "select borrowid || ?2, '2026-12-08 12:00:00', borrowcount, borrowlst "
            "from borrowinfo where borrowid = ?1",
            {borrowid, no});
        gConn.Execute("update borrowinfo set isreturnall = 1, isnotpaylst = '' where borrowid = ?1",
                      {borrowid});
        gConn.Execute(
            "update cdinfo set station = case when exists (select 1 from borrowinfo as o "
            "where substr(o.borrowid,1,12) = cdinfo.cdid and o.borrowcount > coalesce((select "
            "sum(returncount) from returninfo where substr(returnid,1,16) = o.borrowid), 0)) "
            "then '借出部分' else '未借出' end where cdid = substr(?1,1,12)",
            {borrowid});
        t.Commit();
        return true;
    }

    // ---- the checks ---------------------------------------------------------------------
    void ExpectRentalSettled(const RentalSettlement::Request& r) {
        const QString rows =
            QString(" from borrowinfo where substr(borrowid,-4) = '%1'").arg(r.basketNo);
        const double deposits = gConn.Scalar("select sum(foregift)" + rows).ToDouble();
        EXPECT_EQ(Count("select count(*)" + rows + " and isnotpaylst <> borrowlst"), 0);
        if (r.kind == RentalSettlement::Cash) {
            EXPECT_NEAR(deposits, r.amount, 0.005) << "rental " << r.basketNo.toStdString();
            return;
        }
        EXPECT_EQ(deposits, 0);
        if (r.kind == RentalSettlement::Pledge)
            EXPECT_EQ(Count("select count(*)" + rows +
                            " and (credencetype <> '证件' or "
                            "Guaranty <> 'O''Brien''s 身份证')"),
                      0);
    }

    // What the basket panels show agrees with the basket's rows.
    void ExpectTotals(const QString& after) {
        if (rental.Open) {
            EXPECT_EQ(rental.CountSum, gConn.Scalar(kBasketCopies, {rental.No}).ToInt())
                << after.toStdString();
            EXPECT_NEAR(deposit, ExpectedDeposit(), 0.005) << after.toStdString();
        }
        if (sale.Open) {
            EXPECT_EQ(sale.CountSum, gConn.Scalar(kSaleCopies, {sale.No}).ToInt())
                << after.toStdString();
            double money = 0;
            for (const QString& sellid : LinesOf("sellinfo", "sellid", sale.No))
                money += RoundHalfUp(
                    gConn.Scalar("select sellcount from sellinfo where sellid = ?1", {sellid})
                            .ToInt() *
                        SaleLineRemoval::PricePerCopy(gConn, sellid.left(12), sale.UserName),
                    2);
            EXPECT_NEAR(sale.MoneySum, money, 0.005) << after.toStdString();
        }
    }

    double ExpectedDeposit() {
        const DepositDue due = DepositDue::Read(gConn, rental.UserName);
        double sum = due.OfNewBasket();
        for (const QString& borrowid : LinesOf("borrowinfo", "borrowid", rental.No))
            sum += due.OfCopies(gConn, borrowid.left(12),
                                static_cast<int>(gConn
                                                     .Scalar("select borrowcount from borrowinfo "
                                                             "where borrowid = ?1",
                                                             {borrowid})
                                                     .ToInt()));
        return sum;
    }

  public:
    void RunSequence() {
        using Operation = bool (BasketInvariantsTest::*)();
        const std::vector<std::pair<const char*, Operation>> operations{
            {"rental check-out", &BasketInvariantsTest::CheckOutRental},
            {"rental check-out", &BasketInvariantsTest::CheckOutRental},
            {"rental line edit", &BasketInvariantsTest::EditRental},
            {"rental line removal", &BasketInvariantsTest::RemoveRental},
            {"rental settlement", &BasketInvariantsTest::SettleRental},
            {"sale check-out", &BasketInvariantsTest::CheckOutSale},
            {"sale line edit", &BasketInvariantsTest::EditSale},
            {"sale line removal", &BasketInvariantsTest::RemoveSale},
            {"sale settlement", &BasketInvariantsTest::SettleSale},
            {"closing rollback", &BasketInvariantsTest::RollBack},
            {"return", &BasketInvariantsTest::ReturnSettledRental},
            {"return", &BasketInvariantsTest::ReturnSettledRental},
        };
        QHash<QString, int> done;
        int performed = 0;
        for (int attempt = 0; performed < kOperations && attempt < 20 * kOperations; ++attempt) {
            const auto& [name, operation] = operations[Pick(static_cast<int>(operations.size()))];
            if (!(this->*operation)()) continue;
            ++performed;
            ++done[name];
            const QString after = QString("after operation %1 (%2)").arg(performed).arg(name);
            const QStringList broken = CrashInvariants::Broken(gConn);
            ASSERT_TRUE(broken.isEmpty())
                << after.toStdString() << ": " << broken.join("; ").toStdString();
            ASSERT_TRUE(gConn.Scalar(kPartlyLentWithNothingOut).IsNull()) << after.toStdString();
            ExpectTotals(after);
            ASSERT_EQ(gConn.Scalar("pragma integrity_check").ToString(), "ok")
                << after.toStdString();
            if (HasFailure()) return;
        }
        EXPECT_EQ(performed, kOperations);
        QStringList counts;
        for (auto it = done.cbegin(); it != done.cend(); ++it)
            counts << QString("%1 %2").arg(it.key()).arg(it.value());
        counts.sort();
        std::cout << "[ basket   ] " << performed
                  << " operations: " << counts.join(", ").toStdString() << std::endl;
        for (const char* kind : {"rental check-out", "rental line edit", "rental line removal",
                                 "rental settlement", "sale check-out", "sale line edit",
                                 "sale line removal", "sale settlement", "closing rollback"})
            EXPECT_GT(done.value(kind), 10) << kind;
    }

  protected:
    std::mt19937 random_{20261208};
    int rule_ = 1;
};
}  // namespace

TEST_F(BasketInvariantsTest, FiveHundredRandomOperationsKeepTheShopsRules) {
    RunSequence();
}
