#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QString>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "tests/support/ShopData.h"
#include "tests/support/Yuan.h"

// Installs a message-box responder for every test: boxes are recorded and answered
// from a queue; a box nobody expected is answered vbOK (or vbNo) and recorded.
class LumtrakTestEnvironment : public ::testing::Environment {
  public:
    void SetUp() override;
};

// The boxes shown so far and the answers queued for the next ones.
class MsgBoxLog {
  public:
    static MsgBoxLog& Get();
    void Reset();
    void QueueAnswer(int answer);
    int Answer(const MsgBoxCall& call);
    const std::vector<MsgBoxCall>& Calls() const { return calls_; }
    std::vector<QString> Prompts() const;

  private:
    std::vector<MsgBoxCall> calls_;
    std::deque<int> answers_;
};

// A test with its own folder as the program folder, holding an empty shop database
// made from the schema. The clock, message boxes and program folder are reset.
class ShopTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    QString DbPath() const;
    QString Dir() const { return dir_.path(); }
    // Runs SQL directly on the file (outside the program's connection) for fixtures.
    void Sql(const QString& script);
    QString Query1(const QString& sql);  // first column of the first row as text
    int Count(const QString& sql) { return Query1(sql).toInt(); }
    // The file as made before the program's own additions: none of its indexes, triggers
    // or tables (openbasket, freenumber), the shop's nine tables as they are.
    void MakeOlder();
    // The program's own additions the file holds: type, name and statement of each.
    QString Additions() {
        return Query1(
            "select group_concat(type || ' ' || name || ': ' || sql, char(10)) from (select * "
            "from sqlite_master where sql is not null and (type in ('index', 'trigger') or "
            "name in ('openbasket', 'freenumber')) order by type, name)");
    }
    // The rows of the shop, written into this test's file.
    ShopData Data() const { return ShopData(DbPath()); }

    // The clock stands at 10:00 on the day.
    static void SetToday(int y, int m, int d);
    // The message boxes shown so far; forgetting them drops the queued answers too.
    static std::vector<QString> Prompts() { return MsgBoxLog::Get().Prompts(); }
    static void ForgetPrompts() { MsgBoxLog::Get().Reset(); }

    QTemporaryDir dir_;
};

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Shows a window and makes it the active one, as the operator's click would, so that focus
// and activation events reach it under the offscreen platform.
inline bool ShowActive(QWidget* w) {
    w->show();
    w->raise();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Runs the events that are waiting (activation, queued keys, deferred deletes).
inline void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A move of the pointer over a widget with no button pressed, delivered as such (the
// window system's own moves are dropped when the pointer already stands there).
inline void MoveMouse(QWidget* w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// What the operator does in the modal dialog of type F once it shows (looked for a few
// times while the code under test gets there). A test that failed half-way leaves no
// dialog waiting for it.
template <class F>
void WhenShown(std::function<void(F&)> act, int tries = 200) {
    QTimer::singleShot(5, [act, tries] {
        if (auto* f = dynamic_cast<F*>(QApplication::activeModalWidget())) {
            QPointer<F> shown(f);
            act(*f);
            if (shown && shown->isVisible()) shown->close();
        } else if (tries > 0) {
            WhenShown<F>(act, tries - 1);
        }
    });
}

// The texts of the buttons a window's tool bars show (a print preview's), in order.
inline QStringList ShownToolButtons(QWidget* window) {
    QStringList shown;
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty())
                shown << action->text();
    return shown;
}

// Where the operator clicks to tick a row's box in a list with check boxes.
inline QPoint CheckBoxCentre(QTreeWidget* list, QTreeWidgetItem* item) {
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = item->text(0);
    return list->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list)
        .center();
}

// The focus goes into a control and then to another: the first one's LostFocus runs.
inline void Leave(QWidget* from, QWidget* to) {
    from->setFocus();
    Settle();
    to->setFocus();
    Settle();
}

// The operator types text at the end of a text box, one key per character (Chinese too).
inline void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->end(false);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    Settle();
}

// The operator puts the focus into a masked box, types text and leaves for another control.
inline void TypeAndLeave(MaskEdBox* box, const QString& text, QWidget* next) {
    box->setFocus();
    Settle();
    box->SetText(text);
    next->setFocus();
    Settle();
}

// The operator empties a text box (selects all and deletes).
inline void Clear(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    Settle();
}
