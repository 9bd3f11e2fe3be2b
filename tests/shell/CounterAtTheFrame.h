#pragma once
// The operator at the counter of the main window, with the mouse: page buttons, option
// buttons, copies ticked on their boxes, rows clicked, a check-out dialog filled and
// confirmed. For tests that drive the whole frame.
#include <QRadioButton>
#include <algorithm>
#include <initializer_list>

#include "counter/CounterPage.h"
#include "platform/ui/ListView.h"
#include "platform/ui/PictureButton.h"
#include "shell/frmMain.h"
#include "tests/support/ListClicks.h"
#include "tests/support/TestSupport.h"

namespace CounterAtTheFrame {
inline void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
    Settle();
}

// An option button takes a click on its round box, not on the blank beyond its caption.
inline void Click(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(8, option->height() / 2));
    Settle();
}

inline CounterPage& Counter() {
    return *frmMain::instance().Counter;
}

// A page button of the main window: 0 rents, 1 returns, 2 the catalogue, 6 sells...
inline void Button(int index) {
    Click(frmMain::instance().Image3[index]);
}

// At the counter (button 0 rents, 6 sells) the title's check-out dialog, opened with its
// button.
template <class Dialog>
Dialog& OpenCheckOut(int button, const QString& cdid) {
    Button(button);
    EXPECT_TRUE(Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(cdid)));
    Settle();
    Click(button == 0 ? Counter().CmdBorrow : Counter().Command15);
    Dialog& d = Dialog::instance();
    EXPECT_TRUE(d.isVisible());
    return d;
}

// The check-out dialog opened, the copies (1-based items of its list) ticked, confirmed with
// its button; a member number given makes it a member's basket.
template <class Dialog>
Dialog& CheckOut(int button, const QString& cdid, std::initializer_list<int> copies,
                 const QString& member = QString()) {
    Dialog& d = OpenCheckOut<Dialog>(button, cdid);
    if (!member.isEmpty()) {
        if (!d.Option3->isChecked()) Click(d.Option3);
        d.TxtName->setText(member);
    }
    TickOnly(d.ListView1, copies);
    Click(d.Command1);
    return d;
}
}  // namespace CounterAtTheFrame
