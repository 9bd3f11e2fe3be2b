#pragma once
#include <QString>
#include <vector>

class QPushButton;
class QWidget;

// The places of a window where the operator can type, found through the widget tree so
// that a new window or a new control is swept without being named here: every text box
// (QLineEdit, the masked boxes among them), multi-line box (QPlainTextEdit), combo with text
// entry and editable grid cell (one per unlocked column of a table view, on its current
// row) that is shown, enabled and not read-only.
struct SweepTarget {
    QString name;     // the control's objectName, unique within its window
    QString kind;     // "文本框", "多行文本框", "掩码框", "组合框", "表格单元"
    int column = -1;  // the grid's column; -1 for the other kinds

    QString Describe() const;
};

std::vector<SweepTarget> FindTargets(QWidget* window);

// The control of a target in (a fresh instance of) its window; nullptr when it is gone or
// can take no input now.
QWidget* FindTarget(QWidget* window, const SweepTarget& target);

// The operator types text into the target, replacing what it holds: short ASCII texts as key
// presses, other short texts one character at a time, long texts as one insertion (as a
// paste does). The empty text is typed by deleting what the box holds. A grid cell is edited
// in its cell editor and committed with Enter. False when the control took no input (a grid
// without rows).
bool TypeInto(QWidget* control, const SweepTarget& target, const QString& text);

// The button Enter presses in the window: a shown and enabled push button that is the
// window's default button; in a window without one (the main window's pages), the page's
// save button (its caption begins with "保存"). nullptr when the window has neither.
QPushButton* DefaultButton(QWidget* window);

// The focus leaves the control for another control of its window (the default button
// when there is one, otherwise another button), so that the control's LostFocus runs.
void LeaveControl(QWidget* window, QWidget* control);
