#include "tests/reliability/SweepControls.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "platform/ui/MaskEdBox.h"
#include "tests/support/TestSupport.h"

namespace {
// Longer texts go in as one insertion: ten thousand key presses per box would take minutes.
constexpr int kLongestTyped = 32;

// The widgets of the window itself: not those of the windows it owns (their own windows).
template <class W>
QList<W*> OwnWidgets(QWidget* window, const QString& name = QString()) {
    QList<W*> own;
    for (W* w : window->findChildren<W*>(name))
        if (w->window() == window) own << w;
    return own;
}

bool Usable(const QWidget* w) {
    return w->isVisible() && w->isEnabled();
}

// A line edit that is part of another control (a combo's text, a spin box's, a cell editor).
bool IsInnerEditor(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QAbstractItemView*>(p))
            return true;
    return false;
}

int CurrentRow(const QTableView* grid) {
    return grid->currentIndex().isValid() ? grid->currentIndex().row() : 0;
}

bool IsEditableColumn(const QTableView* grid, int column) {
    if (grid->isColumnHidden(column) || grid->model()->rowCount() == 0) return false;
    const QModelIndex cell = grid->model()->index(CurrentRow(grid), column);
    return grid->model()->flags(cell) & Qt::ItemIsEditable;
}

bool IsEditableGrid(const QTableView* grid) {
    return grid->model() && grid->editTriggers() != QAbstractItemView::NoEditTriggers;
}

void AddTextTarget(QWidget* w, std::vector<SweepTarget>& out) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (line->isReadOnly() || IsInnerEditor(line)) return;
        out.push_back({w->objectName(), qobject_cast<MaskEdBox*>(w) ? "掩码框" : "文本框"});
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (!plain->isReadOnly()) out.push_back({w->objectName(), "多行文本框"});
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) out.push_back({w->objectName(), "组合框"});
    }
}

void AddCellTargets(QTableView* grid, std::vector<SweepTarget>& out) {
    if (!IsEditableGrid(grid)) return;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        if (IsEditableColumn(grid, c)) out.push_back({grid->objectName(), "表格单元", c});
}

bool IsShortAscii(const QString& text) {
    if (text.size() > kLongestTyped) return false;
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() > 0x7e) return false;
    return true;
}

// Short texts as the keyboard sends them; a character outside ASCII (an emoji is one key
// with two UTF-16 units) as a key with its text and no key code.
void SendKeys(QWidget* w, const QString& text) {
    if (IsShortAscii(text)) {
        QTest::keyClicks(w, text);
        return;
    }
    for (const char32_t cp : text.toUcs4()) {
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString::fromUcs4(&cp, 1),
                            Qt::NoModifier);
    }
}

void TypeIntoLine(QLineEdit* box, const QString& text) {
    box->setFocus();
    Settle();
    box->selectAll();
    if (text.isEmpty()) {
        if (!box->text().isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    } else if (text.size() <= kLongestTyped) {
        SendKeys(box, text);
    } else {
        box->insert(text);
    }
    Settle();
}

void TypeIntoPlain(QPlainTextEdit* box, const QString& text) {
    box->setFocus();
    Settle();
    box->selectAll();
    if (text.isEmpty()) {
        if (!box->toPlainText().isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    } else if (text.size() <= kLongestTyped) {
        SendKeys(box, text);
    } else {
        box->insertPlainText(text);
    }
    Settle();
}

// The cell of the current row (no move to another row), edited and committed with Enter.
bool TypeIntoCell(QTableView* grid, int column, const QString& text) {
    if (!IsEditableColumn(grid, column)) return false;
    const QModelIndex cell = grid->model()->index(CurrentRow(grid), column);
    grid->setFocus();
    Settle();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!editor || !grid->isAncestorOf(editor)) return false;
    TypeIntoLine(editor, text);
    if (QApplication::focusWidget() == editor) QTest::keyClick(editor, Qt::Key_Return);
    Settle();
    return true;
}

QWidget* AnotherButton(QWidget* window, QWidget* control) {
    for (QAbstractButton* b : OwnWidgets<QAbstractButton>(window))
        if (b != control && !control->isAncestorOf(b) && Usable(b) &&
            (b->focusPolicy() & Qt::TabFocus))
            return b;
    return nullptr;
}
}  // namespace

QString SweepTarget::Describe() const {
    return column < 0 ? QStringLiteral("%1 %2").arg(kind, name)
                      : QStringLiteral("%1 %2 第%3列").arg(kind, name).arg(column);
}

std::vector<SweepTarget> FindTargets(QWidget* window) {
    std::vector<SweepTarget> targets;
    for (QWidget* w : OwnWidgets<QWidget>(window)) {
        if (!Usable(w)) continue;
        if (auto* grid = qobject_cast<QTableView*>(w)) {
            AddCellTargets(grid, targets);
        } else {
            AddTextTarget(w, targets);
        }
    }
    return targets;
}

QWidget* FindTarget(QWidget* window, const SweepTarget& target) {
    for (QWidget* w : OwnWidgets<QWidget>(window, target.name)) {
        if (!Usable(w)) continue;
        std::vector<SweepTarget> found;
        if (auto* grid = qobject_cast<QTableView*>(w)) {
            if (IsEditableGrid(grid) && IsEditableColumn(grid, target.column)) return w;
        } else {
            AddTextTarget(w, found);
            if (!found.empty()) return w;
        }
    }
    return nullptr;
}

bool TypeInto(QWidget* control, const SweepTarget& target, const QString& text) {
    if (auto* grid = qobject_cast<QTableView*>(control))
        return TypeIntoCell(grid, target.column, text);
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setFocus();
        TypeIntoLine(combo->lineEdit(), text);
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        TypeIntoPlain(plain, text);
        return true;
    }
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        TypeIntoLine(line, text);
        return true;
    }
    return false;
}

QPushButton* DefaultButton(QWidget* window) {
    const QList<QPushButton*> buttons = OwnWidgets<QPushButton>(window);
    for (QPushButton* b : buttons)
        if (Usable(b) && b->isDefault()) return b;
    for (QPushButton* b : buttons)
        if (Usable(b) && b->text().startsWith(QStringLiteral("保存"))) return b;
    return nullptr;
}

void LeaveControl(QWidget* window, QWidget* control) {
    QWidget* to = DefaultButton(window);
    if (!to || to == control) to = AnotherButton(window, control);
    if (!to) to = window;
    to->setFocus();
    Settle();
}
