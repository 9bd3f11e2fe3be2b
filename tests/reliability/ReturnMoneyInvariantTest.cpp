// A long random run of rentals and returns on a small shop: baskets checked out and settled
// at the counter, copies taken back in part or whole through the return dialog and paid
// through its payment dialog, in cash or from stored money. After every operation the rent
// received in all settlements is the sum of the rental lines' rent, every member's stored
// money is what the payment dialogs showed, every copy is out once or on the shelf, and the
// file is sound.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <iostream>
#include <random>

#include "core/CopyList.h"
#include "core/OpenBaskets.h"
#include "core/ShelfCopies.h"
#include "core/mdlMain.h"
#include "counter/BasketRollback.h"
#include "counter/RentalCheckOut.h"
#include "counter/RentalSettlement.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/text/TypedAmount.h"
#include "platform/text/VbText.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/reliability/CrashInvariants.h"
#include "tests/support/DatabaseDump.h"
#include "tests/support/TestSupport.h"

namespace {
constexpr int kOperations = 640;
constexpr int kTitles = 10;
const QStringList kMembers{"000001", "000002", "000003"};
const QStringList kWalkIns{"O'Brien", "20261201001"};

QString Cdid(int i) {
    return QString("0301%1").arg(i, 8, 10, QChar('0'));
}

// An amount to the cent, as the program holds it.
double ToCent(double amount) {
    return Yuan(amount).ToStored();
}

class ReturnMoneyInvariantTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        for (int i = 0; i < kMembers.size(); ++i) {
            Data().Add(ShopData::Member(kMembers[i], QString("会员%1").arg(i)).Money(15 * i));
            balance_[kMembers[i]] = 15 * i;
        }
        for (int i = 1; i <= kTitles; ++i)
            Data().Add(ShopData::Title(Cdid(i), QString("片%1").arg(i))
                           .Copies(2 + i % 4)
                           .Prices(20, 1 + i % 3, 30)
                           .RentPer(i % 4 == 0 ? QStringLiteral("每次") : QStringLiteral("每天"))
                           .Set("memberborrowprice", 0.5 + i % 3));
        Sql("update ForeGift set foregifttype = 1, money = 10, membermoney = 5");
        gConn.OpenFile(DbPath());
        now_ = QDateTime(QDate(2026, 12, 1), QTime(9, 0));
        SetNow(now_);
    }
    void TearDown() override {
        frmPayMoney::unload();
        frmControlBack::unload();
        Settle();
        ResetGlobalState();
        ShopTest::TearDown();
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    void ClockMoves() {
        now_ = now_.addSecs(600 + Pick(20) * 3600);
        SetNow(now_);
    }

    // ---- Rentals at the counter -----------------------------------------------------------

    std::vector<int> Shelf(const QString& cdid) {
        return ShelfCopies::OfTitle(gConn, cdid).value_or(ShelfCopies()).Copies;
    }

    // One title of the shelf's copies (about half of them) into the basket; false when the
    // title had none on the shelf or the check-out wrote nothing.
    bool CheckOutInto(Basket& basket, const QString& customer, bool member, double& deposit) {
        const QString cdid = Cdid(1 + Pick(kTitles));
        const std::vector<int> shelf = Shelf(cdid);
        if (shelf.empty()) return false;
        std::vector<int> copies;
        for (int c : shelf)
            if (Chance(50)) copies.push_back(c);
        if (copies.empty()) copies.push_back(shelf.front());
        RentalCheckOut::Request r;
        r.basket = basket;
        r.userType = member ? kMemberUser : kWalkInUser;
        r.userName = customer;
        r.cdid = cdid;
        r.copies = copies;
        r.now = now_;
        const RentalCheckOut::Result result = RentalCheckOut::Run(gConn, r);
        if (result.outcome != RentalCheckOut::Outcome::Written) return false;
        basket = result.basket;
        // The deposit the basket's lines hold.
        deposit = gConn
                      .Scalar(
                          "select coalesce(sum(foregift),0) from borrowinfo "
                          "where substr(borrowid,-4) = ?1",
                          {basket.No})
                      .ToDouble();
        return true;
    }

    void SettleBasket(const Basket& basket, double deposit) {
        RentalSettlement::Request settle{basket.No, RentalSettlement::Cash, Yuan(deposit),
                                         "身份证'副本"};
        if (Chance(25))
            settle.kind = RentalSettlement::Pledge;
        else if (basket.UserType == kMemberUser && Chance(20))
            settle.kind = RentalSettlement::MemberWaived;
        RentalSettlement::Run(gConn, settle);
    }

    // A basket at the counter: checked out and settled at once, or left open at the counter
    // while returns go on; an open basket later takes another title, is settled, or is
    // rolled back as closing the program does.
    bool RentABasket() {
        if (gBorrowBasket.Open) return GoOnWithTheOpenBasket();
        const bool member = Chance(60);
        const QString customer = member ? kMembers[Pick(kMembers.size())] : kWalkIns[Pick(2)];
        Basket basket;
        double deposit = 0;
        for (int titles = 1 + Pick(3); titles > 0; --titles)
            CheckOutInto(basket, customer, member, deposit);
        if (!basket.Open) return false;
        if (Chance(30)) {
            gBorrowBasket = basket;
            openDeposit_ = deposit;
            ++leftOpen_;
            return true;
        }
        SettleBasket(basket, deposit);
        return true;
    }

    bool GoOnWithTheOpenBasket() {
        const int choice = Pick(10);
        if (choice < 3) {
            CheckOutInto(gBorrowBasket, gBorrowBasket.UserName,
                         gBorrowBasket.UserType == kMemberUser, openDeposit_);
            return false;
        }
        if (choice < 5) {
            BasketRollback::Run(gConn, BasketRollback::Rental, gBorrowBasket.No);
            ++rolledBack_;
        } else {
            SettleBasket(gBorrowBasket, openDeposit_);
        }
        gBorrowBasket.Clear();
        return true;
    }

    // ---- Returns through the return dialog ------------------------------------------------

    QString CustomerWithOpenLines() {
        Recordset rs;
        // The customers the return page lists: the basket at the counter is no rental yet.
        rs.Open("select distinct name from borrowinfo where isreturnall = 0 and " +
                    OpenBaskets::NotInRentalBasket("borrowinfo") + " order by name",
                gConn, adLockReadOnly);
        QStringList names;
        for (; !rs.AtEOF(); rs.MoveNext()) names << rs.GetValue(0).ToString();
        return names.isEmpty() ? QString() : names[Pick(names.size())];
    }

    // The operator's choices in the dialog: copies unticked, switches clicked (questions
    // answered at random), lines left out.
    void Choose(frmControlBack& d) {
        for (int row = 1; row <= d.LvwBack->ListItems().Count(); ++row) {
            ListItem* line = d.LvwBack->ListItems().Item(row);
            d.LvwBack->SetSelectedItem(line);
            d.LvwBack_ItemClick(line);
            for (int c = 1; c <= d.ListView1->ListItems().Count(); ++c) {
                if (!Chance(15)) continue;
                ListItem* copy = d.ListView1->ListItems().Item(c);
                copy->SetChecked(!copy->Checked());
                d.ListView1_ItemCheck(copy);
            }
            for (QCheckBox* box : {d.Check1, d.Check2}) {
                if (!Chance(20)) continue;
                MsgBoxLog::Get().QueueAnswer(Chance(50) ? vbYes : vbNo);
                box->click();
                MsgBoxLog::Get().Reset();  // an answer no question took
            }
        }
        if (d.LvwBack->ListItems().Count() > 1 && Chance(15)) d.Command4->click();
        if (Chance(25))
            d.MskPlanBackSum->SetText(QString::number(ToCent(Pick(3000) / 100.0), 'f', 2));
        else if (Chance(3))
            d.MskPlanBackSum->SetText("十元");
    }

    // Pays in the payment dialog as the operator would, noting the stored money it shows.
    void PayWhenAsked(const QString& customer) {
        QTimer::singleShot(0, [this, customer] {
            if (!frmPayMoney::isLoaded()) return;
            frmPayMoney& p = frmPayMoney::instance();
            paid_.shown = true;
            if (Chance(8)) {
                p.Command3->click();
                return;
            }
            if (p.StoredMoneyMode() && Chance(30)) p.Option1_1->click();
            paid_.stored = p.StoredMoneyMode();
            if (paid_.stored) {
                // Short of money, the member hands over the shortfall or more.
                if (p.TxtRemain->isVisibleTo(&p) && Chance(70)) {
                    const double more = Pick(4) * 2.5;
                    p.TxtRemain->SetText(
                        QString::number(*ParseAmount(p.TxtRemain->Text()) + more, 'f', 2));
                    if (more > 0) ++paidBeyond_;
                }
                paid_.balanceShown = *ParseAmount(p.TxtRest->text());
            } else if (p.AmountDue() > Money()) {
                p.TxtCatchFact->SetText((p.AmountDue() + Yuan(Pick(5))).PlainText());
            }
            p.Command1->click();
            if (frmPayMoney::isLoaded() && !p.IsUnloaded()) {
                ADD_FAILURE() << "the payment was refused for " << customer.toStdString();
                p.Command3->click();
            }
        });
    }

    bool ReturnSome() {
        const QString customer = CustomerWithOpenLines();
        if (customer.isEmpty()) return false;
        frmControlBack& d = frmControlBack::instance();
        d.OpenFor(customer);
        Choose(d);
        const std::optional<Money> received = Money::FromTyped(d.MskPlanBackSum->Text());
        paid_ = Paid{};
        PayWhenAsked(customer);
        d.Command3->click();
        Settle();
        if (frmControlBack::isLoaded()) {
            // Refused or cancelled: the dialog stays, and closing it writes nothing.
            if (paid_.shown)
                ++cancelled_;
            else
                ++refused_;
            frmControlBack::instance().Command2->click();
            Settle();
            return true;
        }
        ++settled_;
        received_ = (Yuan(received_) + received.value_or(Money())).ToStored();
        if (paid_.stored) {
            balance_[customer] = ToCent(paid_.balanceShown);
            ++fromStoredMoney_;
        }
        return true;
    }

    // ---- The invariants -----------------------------------------------------------------

    void ExpectInvariants(int step, const char* what) {
        const double rent = gConn.Scalar("select total([money]) from borrowinfo").ToDouble();
        EXPECT_NEAR(rent, received_, 0.005) << "after operation " << step << " (" << what << ")";
        for (const QString& member : kMembers)
            EXPECT_NEAR(
                gConn.Scalar("select coalesce([money],0) from userinfo where userid = ?1", {member})
                    .ToDouble(),
                balance_[member], 0.005)
                << member.toStdString() << " after operation " << step << " (" << what << ")";
        if (gBorrowBasket.Open) {
            EXPECT_EQ(Count(QString("select count(*) from returninfo where "
                                    "substr(returnid,13,4) = '%1'")
                                .arg(gBorrowBasket.No)),
                      0)
                << "a line of the basket still open at the counter came back, after operation "
                << step;
        }
        EXPECT_EQ(Count("select count(*) from returninfo as r where not exists (select 1 from "
                        "borrowinfo as b where b.borrowid = substr(r.returnid,1,16))"),
                  0)
            << "a return row without its rental line after operation " << step << " (" << what
            << ")";
        const QStringList broken = CrashInvariants::Broken(gConn);
        EXPECT_TRUE(broken.isEmpty()) << "after operation " << step << " (" << what
                                      << "): " << broken.join("; ").toStdString();
        if (step % 20 == 0) {
            EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
        }
    }

    struct Paid {
        bool shown = false;
        bool stored = false;
        double balanceShown = 0;
    };

    std::mt19937 random_{20261208};
    QDateTime now_;
    QHash<QString, double> balance_;
    double received_ = 0;
    Paid paid_;
    int settled_ = 0;
    int cancelled_ = 0;
    int refused_ = 0;
    int fromStoredMoney_ = 0;
    int paidBeyond_ = 0;
    double openDeposit_ = 0;
    int leftOpen_ = 0;
    int rolledBack_ = 0;
};
}  // namespace

TEST_F(ReturnMoneyInvariantTest, RandomRentalsAndReturnsKeepTheMoneyAndTheCopiesRight) {
    int rentals = 0;
    for (int step = 1; step <= kOperations; ++step) {
        ClockMoves();
        const bool rent = Chance(40);
        const char* what = rent ? "rental" : "return";
        if (rent ? RentABasket() : ReturnSome()) rentals += rent ? 1 : 0;
        ExpectInvariants(step, what);
        if (HasFailure()) break;
    }
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
    std::cout << "[ money    ] " << kOperations << " operations: " << rentals << " rental baskets, "
              << settled_ << " return settlements (" << fromStoredMoney_
              << " through stored money, " << paidBeyond_ << " with more handed over than "
              << "the shortfall), " << cancelled_ << " payments cancelled, " << refused_
              << " refused; " << leftOpen_ << " baskets left open at the counter during "
              << "returns, " << rolledBack_ << " of them rolled back; rent received " << received_
              << std::endl;
    EXPECT_GT(settled_, 150);
    EXPECT_GT(fromStoredMoney_, 20);
    EXPECT_GT(paidBeyond_, 3);
    EXPECT_GT(leftOpen_, 20);
    EXPECT_GT(rolledBack_, 3);
    EXPECT_GT(Count("select count(*) from borrowinfo where isreturnall = 1"), 50);
    EXPECT_GT(Count("select count(*) from returninfo as r, borrowinfo as b where "
                    "substr(r.returnid,1,16) = b.borrowid and r.returncount < b.borrowcount"),
              20)
        << "lines went back in part";
}
