#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/ui/ErrorReport.h"

// The events the windows' handlers receive from any control, with the arguments they
// expect: focus (GotFocus/LostFocus), keys (KeyDown/KeyPress/KeyUp, where setting the
// code to 0 swallows the key and changing KeyAscii changes the typed character) and the
// mouse (Click, DblClick, MouseDown/Up/Move with the button, the shift state and the
// position in twips inside the control).
//
// Focus follows the windows' rules rather than the window system's: a control keeps its
// focus while another program or a message box is in front, so LostFocus runs only when
// the focus moves to another control (of its window or of another window of ours), and a
// composite control (a grid with its cell editor) loses the focus only when it leaves the
// control and everything inside it.
//
// One ControlEvents object lives as a child of each control that has handlers; Events(w)
// finds or makes it. The On... helpers below connect a handler in one line:
//     OnLostFocus(TxtName, this, &frmMain::TxtName_LostFocus);
class ControlEvents : public QObject {
    Q_OBJECT
  public:
    // The events object of a control, made on first use.
    static ControlEvents* Of(QWidget* control);
    // The events object of a control if it has one.
    static ControlEvents* Find(const QWidget* control);

    QWidget* Control() const { return control_; }

  signals:
    void GotFocus();
    void LostFocus();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int Shift);
    void Click();
    void DblClick();
    void MouseDown(int Button, int Shift, double X, double Y);
    void MouseUp(int Button, int Shift, double X, double Y);
    void MouseMove(int Button, int Shift, double X, double Y);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

  private:
    explicit ControlEvents(QWidget* control);
    bool KeyEvent(QObject* watched, QEvent* event);
    bool MouseEvent(QObject* watched, QEvent* event);
    QWidget* MouseSurface() const;  // where mouse events arrive (a scroll area's viewport)

    QPointer<QWidget> control_;
    bool leftPressed_ = false;
};

inline ControlEvents* Events(QWidget* control) {
    return ControlEvents::Of(control);
}

template <class Ctx, class Fn>
void OnGotFocus(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::GotFocus, ctx, fn);
}
template <class Ctx, class Fn>
void OnLostFocus(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::LostFocus, ctx, fn);
}
template <class Ctx, class Fn>
void OnKeyDown(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::KeyDown, ctx, fn);
}
template <class Ctx, class Fn>
void OnKeyPress(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::KeyPress, ctx, fn);
}
template <class Ctx, class Fn>
void OnKeyUp(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::KeyUp, ctx, fn);
}
template <class Ctx, class Fn>
void OnClick(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::Click, ctx, fn);
}
template <class Ctx, class Fn>
void OnDblClick(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::DblClick, ctx, fn);
}
template <class Ctx, class Fn>
void OnMouseDown(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::MouseDown, ctx, fn);
}
template <class Ctx, class Fn>
void OnMouseUp(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::MouseUp, ctx, fn);
}
template <class Ctx, class Fn>
void OnMouseMove(QWidget* w, Ctx* ctx, Fn fn) {
    QObject::connect(Events(w), &ControlEvents::MouseMove, ctx, fn);
}

// Connects a handler the way every window does: an error it raises is shown in a message
// box (RunReported) and the program goes on.
//     Handle(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
template <class Sender, class Signal, class Fn>
void Handle(Sender* sender, Signal signal, QObject* context, Fn fn) {
    QObject::connect(sender, signal, context, [fn] { RunReported(fn); });
}
// The same for a control's LostFocus.
template <class Fn>
void HandleLostFocus(QWidget* control, QObject* context, Fn fn) {
    OnLostFocus(control, context, [fn] { RunReported(fn); });
}
