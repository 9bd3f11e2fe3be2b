#include "platform/ui/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/ui/ErrorReport.h"
#include "platform/ui/FocusTracker.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/TabOrder.h"
#include "platform/ui/VbKeys.h"

namespace {
QPointer<Form>& ActiveSlot() {
    static QPointer<Form> active;
    return active;
}
}  // namespace

Form::Form(Qt::WindowFlags flags) : QWidget(nullptr, flags) {
    FocusTracker::Instance();
    qApp->installEventFilter(this);
}

Form::~Form() {
    EndModal();
    if (ActiveSlot() == this) ActiveSlot() = nullptr;
}

void Form::Form_QueryUnload(int&, int) {}
void Form::Form_Unload(int&) {}
void Form::Form_KeyDown(int&, int) {}
void Form::Form_KeyPress(int&) {}
void Form::Form_KeyUp(int&, int) {}

Form* Form::ActiveForm() {
    return ActiveSlot();
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

// An owned window stays a window of its own, with its title bar and buttons, but the
// window system takes it for its owner's dialog: it keeps it in front of the owner, a click
// on the owner does not hide it, and it goes with the owner.
void Form::SetOwner(QWidget* owner) {
    if (!owner || owner == parentWidget() || owner == this) return;
    const bool wasVisible = isVisible();
    setParent(owner, (windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    if (wasVisible) show();
}

namespace {
// What the window system puts round a window: its title bar and borders.
QMargins FrameMargins(const QWidget* w) {
    const QRect frame = w->frameGeometry();
    const QRect inside = w->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(),
            frame.right() - inside.right(), frame.bottom() - inside.bottom()};
}
}  // namespace

// Centred over the owner, as far as the owner's screen lets it: a window larger than the
// free part of the screen starts at its top left corner. A window not shown yet has no
// frame to tell: it is taken to get the frame its owner has.
void Form::PlaceOverOwner() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible()) return;
    // The size the window shows at: its controls polished, its layout's least size kept, and
    // the size show() gives a window nobody sized.
    ensurePolished();
    if (layout()) layout()->activate();
    if (!testAttribute(Qt::WA_Resized)) adjustSize();
    const QMargins own = FrameMargins(this);
    const QMargins frame = own.isNull() ? FrameMargins(owner) : own;
    QRect placed(QPoint(0, 0), size().grownBy(frame));
    placed.moveCenter(owner->frameGeometry().center());
    if (const QScreen* screen = owner->screen()) {
        const QRect area = screen->availableGeometry();
        placed.moveLeft(
            std::max(area.left(), std::min(placed.left(), area.right() + 1 - placed.width())));
        placed.moveTop(
            std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - placed.height())));
    }
    move(placed.topLeft());
}

void Form::Show(int modal, QWidget* owner) {
    Load();
    if (modal == vbModal) {
        ShowModal(owner);
        return;
    }
    SetOwner(owner);
    if (!isVisible()) PlaceOverOwner();
    show();
    raise();
    activateWindow();
}

int Form::ShowModal(QWidget* owner) {
    Load();
    SetOwner(owner);
    if (isVisible()) hide();
    PlaceOverOwner();
    modalResult_ = vbCancel;
    int result = vbCancel;
    QEventLoop loop;
    modalLoop_ = &loop;
    modalSink_ = &result;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QPointer<Form> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self) {
        modalLoop_ = nullptr;
        modalSink_ = nullptr;
        setWindowModality(Qt::NonModal);
    }
    return result;
}

void Form::EndModal() {
    if (!modalLoop_) return;
    if (modalSink_) *modalSink_ = modalResult_;
    modalLoop_->quit();
    modalLoop_ = nullptr;
    modalSink_ = nullptr;
}

void Form::Hide() {
    hide();
}

bool Form::Unload() {
    return RunUnload(vbFormCode);
}

bool Form::RunUnload(int unloadMode) {
    if (unloaded_) return true;
    if (unloading_) return false;
    unloading_ = true;
    int cancel = 0;
    const bool ran = RunReported([&] {
        Form_QueryUnload(cancel, unloadMode);
        if (cancel == 0) Form_Unload(cancel);
    });
    unloading_ = false;
    if (!ran || cancel != 0) return false;
    FinishUnload();
    return true;
}

void Form::FinishUnload() {
    unloaded_ = true;
    ForgetInstance();
    if (ActiveSlot() == this) ActiveSlot() = nullptr;
    hide();
    EndModal();
    emit Unloaded();
    // Gone for anyone looking windows up by name, though the object lives until the
    // event loop deletes it.
    setObjectName(QString());
    deleteLater();
}

// Every close request that does not come from Unload() is the operator's close box (or
// the window system's close): it means cancel for a modal window.
void Form::closeEvent(QCloseEvent* e) {
    if (unloaded_) {
        e->accept();
        return;
    }
    modalResult_ = vbCancel;
    if (RunUnload(vbFormControlMenu))
        e->accept();
    else
        e->ignore();
}

QPushButton* Form::DefaultButton() const {
    return defaultButton_;
}

QPushButton* Form::CancelButton() const {
    return cancelButton_;
}

void Form::SetDefaultButton(QPushButton* button) {
    if (defaultButton_ && defaultButton_ != button) defaultButton_->setDefault(false);
    defaultButton_ = button;
    if (button) button->setDefault(true);
}

void Form::SetCancelButton(QPushButton* button) {
    cancelButton_ = button;
}

// Enter or Esc that went through the window's controls unused.
void Form::keyPressEvent(QKeyEvent* e) {
    if (PressButtonFor(e)) {
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

namespace {
void Press(QPushButton* button, const QWidget* window) {
    if (button && button->isEnabled() && button->isVisibleTo(window)) button->click();
}
}  // namespace

bool Form::PressButtonFor(const QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool escape = e->key() == Qt::Key_Escape;
    if (enter ? !defaultButton_ : !(escape && (cancelButton_ || parentWidget()))) return false;
    // Taken, but a held key, or one that reaches a window already hidden or unloaded, presses
    // nothing more.
    if (e->isAutoRepeat() || unloaded_ || !isVisible()) return true;
    if (enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        Press(focused ? focused : defaultButton_.data(), this);
    } else if (cancelButton_) {
        Press(cancelButton_, this);
    } else {
        close();
    }
    return true;
}

void Form::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous()) return;  // minimised: still the program's window
    if (ActiveSlot() == this) {
        ActiveSlot() = nullptr;
        if (!unloaded_) RunReported([&] { Form_Deactivate(); });
    }
    if (!isVisible()) EndModal();
}

bool Form::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !unloaded_) Activated();
    return QWidget::event(e);
}

void Form::Activated() {
    QPointer<Form> previous = ActiveSlot();
    if (previous == this) return;
    ActiveSlot() = this;
    if (previous && !previous->unloaded_) RunReported([&] { previous->Form_Deactivate(); });
    RunReported([&] { Form_Activate(); });
}

// Every control's Tab comes here once the control has not used the key itself.
bool Form::focusNextPrevChild(bool next) {
    return MoveFocusByTab(this, next);
}

bool Form::eventFilter(QObject* receiver, QEvent* e) {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (!keyPreview_ || unloaded_ || delivering_.contains(e)) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != this) return false;
    return PreviewKey(widget, static_cast<QKeyEvent*>(e));
}

bool Form::PreviewKey(QWidget* receiver, QKeyEvent* e) {
    int keyCode = VbKeyCode(*e);
    const int shift = VbShift(e->modifiers());
    if (e->type() == QEvent::KeyRelease) {
        if (e->isAutoRepeat() || keyCode == 0) return false;
        RunReported([&] { Form_KeyUp(keyCode, shift); });
        return keyCode == 0 || Deliver(receiver, e);
    }
    if (keyCode != 0) {
        RunReported([&] { Form_KeyDown(keyCode, shift); });
        if (keyCode == 0) return true;
    }
    int keyAscii = VbKeyAscii(*e);
    const int typed = keyAscii;
    if (keyAscii != 0) {
        RunReported([&] { Form_KeyPress(keyAscii); });
        if (keyAscii == 0) return true;
    }
    if (keyAscii == typed) return Deliver(receiver, e);
    QKeyEvent changed = KeyEventTyping(*e, keyAscii);
    Deliver(receiver, &changed);
    e->accept();
    return true;
}

// Hands the key on to the control it was meant for, as one delivery: the filter lets
// this delivery and its passing up to the parent controls through, and the caller stops
// the original one.
bool Form::Deliver(QWidget* receiver, QKeyEvent* e) {
    QPointer<Form> self(this);
    delivering_.append(e);
    QCoreApplication::sendEvent(receiver, e);
    if (self) delivering_.removeOne(e);
    e->accept();
    return true;
}
