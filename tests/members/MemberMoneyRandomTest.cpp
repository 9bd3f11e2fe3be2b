// A long random run of the member page as the operator works it: amounts typed key by key
// (good, full-width and bad), the account buttons clicked with the mouse, questions answered
// at random, names emptied, members leaving and joining, the monthly fee, the page left and
// opened, another program changing a member's money underneath. A model keeps what the
// operator handed over and took back. After every step: the file holds for every member the
// money the model says, the page shows the pending balances, no refund raised a balance,
// no number belongs to two members and none is a departed member's.
#include <QPushButton>
#include <QSet>
#include <iostream>
#include <random>

#include "core/MonthFeeCharge.h"
#include "members/MemberSave.h"
#include "platform/text/VbText.h"
#include "platform/ui/DisplayFormat.h"
#include "tests/members/MembersFixture.h"

namespace {
constexpr int kSteps = 500;
constexpr qint64 kFeeCents = 1500;
const char* const kTitle = "010100000001";

// What the model knows of one member, in fen.
struct Account {
    qint64 file = 0;           // what the file holds
    qint64 seen = 0;           // what the page's recordset read
    qint64 shown = 0;          // what the page shows, pending changes included
    bool moneyEdited = false;  // the page set the balance since it read it
    bool added = false;        // a new member the file does not hold yet
    QString name;
};

class MemberMoneyRandomTest : public MembersFixture {
  protected:
    void SetUp() override {
        MembersFixture::SetUp();
        AddTitle(kTitle, "英雄");
        const qint64 start[] = {120000, 0, -3000, 4550};
        for (int i = 0; i < 4; ++i) {
            const QString number = PadNumber(i + 1, 6);
            const QString name = QStringLiteral("会员%1").arg(i + 1);
            AddMember(number, name, start[i] / 100.0);
            accounts_[number] = {start[i], start[i], start[i], false, false, name};
            used_ << number;
        }
        // A member whose money was never set: a Null balance is 0.
        Sql("insert into userinfo (userid, username) values ('000005', '会员5')");
        accounts_["000005"] = {0, 0, 0, false, false, QStringLiteral("会员5")};
        used_ << QStringLiteral("000005");
        Sql(QStringLiteral("update pricepercent set tax = %1").arg(kFeeCents / 100.0));
        OpenPage();
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // An amount of fen as the leaving question writes it: 12.5, 1200.
    static QString PlainYuan(qint64 fen) {
        QString text = QString::number(fen / 100.0, 'f', 2);
        while (text.endsWith('0')) text.chop(1);
        if (text.endsWith('.')) text.chop(1);
        return text;
    }

    static QString FullWidth(const QString& text) {
        QString out = text;
        for (QChar& c : out)
            if (c >= u'0' && c <= u'9')
                c = QChar(c.unicode() + 0xFEE0);
            else if (c == u'.')
                c = QChar(u'．');
        return out;
    }

    // An amount as the operator types it; cents is set when it is one.
    QString TypedAmount(std::optional<qint64>& cents) {
        cents.reset();
        switch (Pick(12)) {
            case 0:
                return QStringLiteral("5O");
            case 1:
                return QStringLiteral("%1%").arg(Pick(100));
            case 2:
                return QStringLiteral("abc");
            case 3:
                return QStringLiteral("-%1").arg(1 + Pick(50));
            case 4:
                return QString();
            default:
                break;
        }
        const qint64 c = Pick(4) == 0 ? Pick(100) * 100 : Pick(60000);
        cents = c;
        const QString text =
            c % 100 == 0 ? QString::number(c / 100) : QString::number(c / 100.0, 'f', 2);
        return Chance(25) ? FullWidth(text) : text;
    }

    QString Current() { return HasRow() ? Page().TxtUserID->text() : QString(); }
    // The current member's balance in the page's recordset, pending changes included.
    qint64 HeldBalance() { return qRound64(Members()["money"].ToDouble() * 100); }
    bool HasRow() { return Members().HasCurrentRow(); }

    // ---- The model of a save ------------------------------------------------------------

    // Whether a member is to be written: added, or changed from what the page read. A pay-in
    // refunded again, a name emptied and typed again, is no edit.
    static bool Changed(const Account& a) {
        return a.added || (a.moneyEdited && a.shown != a.seen);
    }
    // Whether the page's next save will find a member changed by another program.
    bool SaveWillBeStale() const {
        for (const Account& a : accounts_)
            if (!a.added && Changed(a) && a.file != a.seen) return true;
        return false;
    }
    bool AnythingPending() const {
        for (const Account& a : accounts_)
            if (Changed(a)) return true;
        return false;
    }

    // The page saved (a row change, a page button, a new member, a member leaving): what it
    // held is in the file, or, stale, the list was read again. Returns false when stale.
    bool Saved() {
        if (!AnythingPending()) return true;
        if (SaveWillBeStale()) {
            ++stale_;
            for (auto it = accounts_.begin(); it != accounts_.end();) {
                if (it->added) {
                    it = accounts_.erase(it);
                    continue;
                }
                it->seen = it->shown = it->file;
                it->moneyEdited = false;
                ++it;
            }
            expectStaleMessage_ = true;
            return false;
        }
        for (auto it = accounts_.begin(); it != accounts_.end(); ++it) {
            Account& a = *it;
            if (Changed(a)) a.file = a.seen = a.shown;
            if (a.added) used_ << it.key();
            a.added = a.moneyEdited = false;
        }
        return true;
    }
    // The page read the members afresh.
    void Reread() {
        for (Account& a : accounts_) {
            a.seen = a.shown = a.file;
            a.moneyEdited = false;
        }
    }

  public:
    // ---- The operator's steps (public: the run's table of steps names them) -----------

    // The operator clicks a member in the grid: any, or the one with the highest number.
    void GoToMember(bool highest = false) {
        const int field = Members().FieldIndex("userid");
        const int rows = Members().RecordCount();
        if (rows == 0) return;
        int target = 1 + Pick(rows);
        for (int p = 1; highest && p <= rows; ++p)
            if (NullToStr(Members().ValueAt(p, field)) >
                NullToStr(Members().ValueAt(target, field)))
                target = p;
        const QString number = NullToStr(Members().ValueAt(target, field));
        if (HasRow() && Current() == number) return;
        ClickRow(target);
        Saved();
        ExpectToldIfStale();
    }

    // A save found stale tells the operator so; the prompts are then forgotten, so that a
    // step counts only its own.
    void ExpectToldIfStale() {
        if (expectStaleMessage_) {
            bool told = false;
            for (const QString& p : Prompts()) told = told || p.contains("其他程序");
            EXPECT_TRUE(told) << "a stale save was not told";
            expectStaleMessage_ = false;
        }
        ForgetPrompts();
    }

    void PayIn() {
        GoToMember();
        if (!HasRow()) return;
        std::optional<qint64> cents;
        const QString typed = TypedAmount(cents);
        TypeKeys(Page().MebAddMoney, typed);
        Press(Page().Command10);
        if (!cents) {
            EXPECT_EQ(Prompts().size(), 1u) << "a pay-in of " << typed.toStdString();
            return;
        }
        Account& a = accounts_[Current()];
        a.shown += *cents;
        a.moneyEdited = true;
        ++payIns_;
    }

    void Refund() {
        GoToMember();
        if (!HasRow()) return;
        std::optional<qint64> cents;
        const QString typed = TypedAmount(cents);
        Account& a = accounts_[Current()];
        const qint64 before = a.shown;
        const bool yes = Chance(70);
        if (cents && a.shown > 0 && *cents <= a.shown)
            MsgBoxLog::Get().QueueAnswer(yes ? vbYes : vbNo);
        const qint64 heldBefore = HeldBalance();
        TypeKeys(Page().MebAddMoney, typed);
        Press(Page().Command11);
        EXPECT_LE(HeldBalance(), heldBefore) << "a refund raised the balance the page holds";
        if (!cents) return;
        if (a.shown <= 0) {
            ++nothingToRefund_;
        } else if (*cents > a.shown) {
            a.shown = 0;
            a.moneyEdited = true;
        } else if (yes) {
            a.shown -= *cents;
            a.moneyEdited = true;
            ++refunds_;
        }
        EXPECT_LE(a.shown, before) << "a refund raised a balance";
    }

    void RefundAll() {
        GoToMember();
        if (!HasRow()) return;
        Account& a = accounts_[Current()];
        const qint64 before = a.shown;
        const bool yes = Chance(60);
        if (a.shown > 0) MsgBoxLog::Get().QueueAnswer(yes ? vbYes : vbNo);
        const qint64 heldBefore = HeldBalance();
        Press(Page().Command12);
        EXPECT_LE(HeldBalance(), heldBefore) << "a full refund raised the balance the page holds";
        if (a.shown > 0 && yes) {
            a.shown = 0;
            a.moneyEdited = true;
        }
        EXPECT_LE(a.shown, before) << "a full refund raised a balance";
    }

    // The newest member, who holds the highest number, leaves as often as any other. The
    // question names the balance to hand back; when another program changed it since the
    // page read it, the member stays and the list is read again.
    void MemberLeaves() {
        if (!HasRow() || Chance(50)) GoToMember(Chance(40));  // or the member worked on
        if (!HasRow() || Members().RecordCount() < 2) return;
        const QString number = Current();
        const bool yes = Chance(70);
        MsgBoxLog::Get().QueueAnswer(yes ? vbYes : vbNo);
        Press(Page().Command14);
        if (!Saved()) return;
        const Account& a = accounts_[number];
        if (a.seen > 0) {
            ASSERT_FALSE(Prompts().empty());
            EXPECT_TRUE(Prompts()[0].endsWith(PlainYuan(a.seen) + "元"))
                << Prompts()[0].toStdString() << " for " << a.seen << " fen";
        }
        if (!yes) return;
        if (a.file != a.seen) {
            ++staleLeaves_;
            expectStaleMessage_ = true;
            Reread();
            return;
        }
        accounts_.remove(number);
        used_.remove(number);
        if (history_.contains(number)) departed_ << number;  // their lines keep the number
        ++left_;
    }

    void NewMember() {
        Press(Page().Command13);
        if (!Saved()) return;
        used_ += history_;
        const QString number = Current();
        EXPECT_FALSE(used_.contains(number)) << number.toStdString() << " is in use";
        for (const QString& u : used_)
            EXPECT_GT(number, u) << "a new number is above every number used";
        const QString name = QStringLiteral("新会员%1").arg(++joined_);
        Type(Page().TxtUserName, name);
        Account a;
        a.added = true;
        a.name = name;
        accounts_[number] = a;
    }

    // The page is left (saving), the monthly fee is charged at the next start, and the page
    // opened again.
    void MonthlyFee() {
        if (!LeavePage()) {
            ASSERT_TRUE(!Saved()) << "the page kept the operator without a reason";
            ASSERT_TRUE(LeavePage());
        } else {
            Saved();
        }
        MonthFeeCharge fee(gConn);
        fee.Rearm();
        fee.Charge(fee.StoredFee());
        for (Account& a : accounts_) a.file -= kFeeCents;
        OpenPage();
        Reread();
        ++fees_;
    }

    void PageSwitch() {
        const bool stale = SaveWillBeStale() && AnythingPending();
        EXPECT_EQ(LeavePage(), !stale);
        Saved();
        if (stale) {
            EXPECT_TRUE(LeavePage()) << "the next page button goes through";
        }
        OpenPage();
        Reread();
    }

    // The name emptied by mistake: the save is refused, the money stays pending, the name
    // is typed again (and with it the member reads as before: no edit of its own).
    void NameEmptied() {
        GoToMember();
        if (!HasRow()) return;
        Account& a = accounts_[Current()];
        if (a.added) return;  // a new member emptied of everything is simply not begun
        Clear(Page().TxtUserName);
        EXPECT_FALSE(LeavePage()) << "a member without a name is never saved";
        ASSERT_EQ(Prompts().size(), 1u);
        EXPECT_TRUE(Prompts()[0].contains("会员姓名不能为空"));
        Type(Page().TxtUserName, a.name);
        ++namesEmptied_;
    }

    // Another program (a second counter) takes money from a member's stored money.
    void AnotherProgramCharges() {
        QStringList stored;
        for (auto it = accounts_.begin(); it != accounts_.end(); ++it)
            if (!it->added) stored << it.key();
        if (stored.isEmpty()) return;
        // Mostly the member the operator works on, whose pay-in may be pending.
        const QString number =
            stored.contains(Current()) && Chance(70) ? Current() : stored[Pick(stored.size())];
        const qint64 cents = 100 + Pick(2000);
        Sql(QStringLiteral("update userinfo set money = round(coalesce(money, 0) - %1, 2) "
                           "where userid = '%2'")
                .arg(cents / 100.0)
                .arg(number));
        accounts_[number].file -= cents;
        ++external_;
    }

    // A sale line for a member, so that numbers carry history.
    void MemberBuys() {
        QStringList numbers = accounts_.keys();
        numbers.removeIf([this](const QString& n) { return accounts_[n].added; });
        if (numbers.isEmpty()) return;
        std::sort(numbers.begin(), numbers.end());
        const QString buyer = Chance(50) ? numbers.back() : numbers[Pick(numbers.size())];
        Data().Add(ShopData::Sale(kTitle, PadNumber(++sales_, 4)).By(buyer).Money(10));
        history_ << buyer;
    }

  protected:
    // ---- What holds after every step ----------------------------------------------------

    void ExpectInvariants(int step, const char* what) {
        const auto where = [&] { return std::to_string(step) + " (" + what + ")"; };
        ExpectToldIfStale();
        Recordset file;
        file.Open("select userid, round(coalesce(money, 0) * 100) from userinfo", gConn,
                  adLockReadOnly);
        QSet<QString> inFile;
        for (; !file.AtEOF(); file.MoveNext()) {
            const QString number = file.GetValue(0).ToString();
            EXPECT_FALSE(inFile.contains(number)) << number.toStdString() << " twice";
            inFile << number;
            EXPECT_FALSE(departed_.contains(number))
                << number.toStdString() << " is a departed member's number, step " << where();
            ASSERT_TRUE(accounts_.contains(number)) << number.toStdString() << " " << where();
            EXPECT_EQ(static_cast<qint64>(file.GetValue(1).ToDouble()), accounts_[number].file)
                << "stored money of " << number.toStdString() << " after step " << where();
        }
        const int field = Members().FieldIndex("userid");
        const int money = Members().FieldIndex("money");
        for (auto it = accounts_.begin(); it != accounts_.end(); ++it) {
            if (!it->added) {
                EXPECT_TRUE(inFile.contains(it.key())) << it.key().toStdString();
            }
            for (int p = 1; p <= Members().RecordCount(); ++p) {
                if (NullToStr(Members().ValueAt(p, field)) != it.key()) continue;
                EXPECT_EQ(qRound64(Members().ValueAt(p, money).ToDouble() * 100), it->shown)
                    << "shown money of " << it.key().toStdString() << " after step " << where();
            }
        }
        // A member just added reads "0" until money is paid in, as the new-member button
        // writes it.
        const bool justAdded =
            HasRow() && accounts_[Current()].added && !accounts_[Current()].moneyEdited;
        if (HasRow() && !(justAdded && Page().LblMoney->Caption() == "0")) {
            EXPECT_EQ(Page().LblMoney->Caption(),
                      Format(accounts_[Current()].shown / 100.0, kMoneyFormat))
                << where();
        }
    }

    std::mt19937 random_{20261208};
    QHash<QString, Account> accounts_;
    QSet<QString> used_;      // numbers of the members stored, and numbers carried by lines
    QSet<QString> history_;   // numbers carried by sale lines
    QSet<QString> departed_;  // numbers of members who left, carried by their lines
    bool expectStaleMessage_ = false;
    int payIns_ = 0, refunds_ = 0, nothingToRefund_ = 0, left_ = 0, joined_ = 0, fees_ = 0;
    int stale_ = 0, staleLeaves_ = 0, external_ = 0, namesEmptied_ = 0, sales_ = 0;
};
}  // namespace

TEST_F(MemberMoneyRandomTest, RandomAccountWorkKeepsEveryFenAndEveryNumber) {
    struct Step {
        const char* name;
        int weight;
        void (MemberMoneyRandomTest::*run)();
    };
    const Step steps[] = {
        {"pay-in", 22, &MemberMoneyRandomTest::PayIn},
        {"refund", 16, &MemberMoneyRandomTest::Refund},
        {"full refund", 7, &MemberMoneyRandomTest::RefundAll},
        {"leave", 5, &MemberMoneyRandomTest::MemberLeaves},
        {"new member", 7, &MemberMoneyRandomTest::NewMember},
        {"monthly fee", 2, &MemberMoneyRandomTest::MonthlyFee},
        {"page switch", 8, &MemberMoneyRandomTest::PageSwitch},
        {"name emptied", 4, &MemberMoneyRandomTest::NameEmptied},
        {"another program", 5, &MemberMoneyRandomTest::AnotherProgramCharges},
        {"sale", 4, &MemberMoneyRandomTest::MemberBuys},
    };
    int total = 0;
    for (const Step& s : steps) total += s.weight;
    for (int step = 1; step <= kSteps; ++step) {
        int roll = Pick(total);
        const Step* chosen = &steps[0];
        for (const Step& s : steps) {
            if (roll < s.weight) {
                chosen = &s;
                break;
            }
            roll -= s.weight;
        }
        ForgetPrompts();
        (this->*chosen->run)();
        ExpectInvariants(step, chosen->name);
        if (HasFailure()) break;
    }
    std::cout << "[ members  ] " << kSteps << " steps: " << payIns_ << " pay-ins, " << refunds_
              << " refunds, " << nothingToRefund_ << " refused for a balance of 0 or below, "
              << left_ << " members left (" << staleLeaves_
              << " kept for a balance another program changed), " << joined_ << " joined, " << fees_
              << " monthly fees, " << external_ << " changes by another program (" << stale_
              << " saves found stale), " << namesEmptied_ << " names emptied" << std::endl;
    EXPECT_GT(payIns_, 60);
    EXPECT_GT(stale_, 3);
    EXPECT_GT(nothingToRefund_, 3);
    EXPECT_GT(left_, 5);
    EXPECT_GT(staleLeaves_, 0);
}
