#pragma once
#include <QList>
#include <QPointer>
#include <QWidget>

#include "platform/ui/MsgBox.h"  // vbOK, vbCancel: the results of a modal show

class QEventLoop;
class QKeyEvent;
class QPushButton;

enum FormShowConstants { vbModeless = 0, vbModal = 1 };
// Why a window is asked to close (Form_QueryUnload's UnloadMode).
enum QueryUnloadConstants { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2 };

// A window with the life of the original platform's forms. A window class derives from
// FormOf<itself> (FormOf.h), which adds the default instance; this base holds the rest:
//
// - Loading: Load() runs Form_Load once (FormOf::instance() does it on first use).
// - Showing: Show(vbModeless, owner) shows and activates the window, owned by `owner`: the
//   window system keeps it in front of its owner and it goes with it; each time it opens
//   from hidden it stands centred over its owner, within the owner's screen. Show(vbModal,
//   owner) or ShowModal(owner) shows it so, application-modal, and returns when it is
//   hidden or unloaded, with the value the window gave SetModalResult (vbCancel when none,
//   and always vbCancel when it was closed with the close box).
// - Unloading: Unload() runs Form_QueryUnload(Cancel, vbFormCode) and Form_Unload(Cancel);
//   a non-zero Cancel in either keeps the window. Otherwise the window hides, forgets its
//   default instance (the next instance() loads a fresh one) and is deleted once control
//   returns to the event loop. The close box (and QWidget::close(), which windows do not
//   call: they Unload) goes the same way with vbFormControlMenu.
// - Activation: Form_Activate runs when the window becomes the active window of the
//   program, Form_Deactivate when another of its windows does or it is hidden. Message
//   boxes, menus and other programs do not count, as on the original platform.
// - Key preview: with SetKeyPreview(true) the window sees every key of its controls before
//   they do: Form_KeyDown(KeyCode, Shift) and Form_KeyPress(KeyAscii) for a press,
//   Form_KeyUp(KeyCode, Shift) for a release (VbKeys.h). Setting the code to 0 swallows
//   the key; changing KeyAscii types another character.
// - Tab and Shift+Tab move the focus to the next or previous control that can take it,
//   wrapping round within the window (TabOrder.h).
// - Enter and Esc: a key that no control of the window used (a text box passes both on, a
//   multi-line box keeps Enter) presses a button. Enter presses the button that has the
//   focus, or else the default button (SetDefaultButton); Esc presses the cancel button
//   (SetCancelButton), or, in a window with an owner and no cancel button, closes the window
//   as its close box does. A button is pressed only while it is shown and enabled and its
//   window is shown, so a key that comes after the button closed its window, or while it
//   waits to be enabled, presses nothing; a held key presses once.
//
// Errors escaping an event procedure called by this base are shown in a message box.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(Qt::WindowFlags flags = Qt::Window);
    ~Form() override;

    // Event procedures: a window overrides the ones it has.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode);
    virtual void Form_Unload(int& Cancel);
    virtual void Form_KeyDown(int& KeyCode, int Shift);
    virtual void Form_KeyPress(int& KeyAscii);
    virtual void Form_KeyUp(int& KeyCode, int Shift);

    void Load();
    void Show(int modal = vbModeless, QWidget* owner = nullptr);
    int ShowModal(QWidget* owner = nullptr);
    void Hide();
    // True when the window unloaded (or had unloaded before); false when a handler cancelled.
    bool Unload();
    bool IsUnloaded() const { return unloaded_; }
    bool IsShownModal() const { return modalLoop_ != nullptr; }

    void SetModalResult(int result) { modalResult_ = result; }

    void SetKeyPreview(bool on) { keyPreview_ = on; }

    // Sets the owner without showing the window.
    void SetOwner(QWidget* owner);

    // The buttons Enter and Esc press (above); nullptr for none. The default button is drawn
    // as such.
    void SetDefaultButton(QPushButton* button);
    void SetCancelButton(QPushButton* button);
    QPushButton* DefaultButton() const;
    QPushButton* CancelButton() const;
    QWidget* Owner() const { return parentWidget(); }

    // The window of the program that is active in the sense above (nullptr when none).
    static Form* ActiveForm();

  signals:
    // After Form_Unload accepted, before the window is deleted.
    void Unloaded();

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* receiver, QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    // FormOf: the default instance forgets this window.
    virtual void ForgetInstance() {}

  private:
    bool RunUnload(int unloadMode);
    void FinishUnload();
    void EndModal();
    void Activated();
    void PlaceOverOwner();
    bool PressButtonFor(const QKeyEvent* e);
    bool PreviewKey(QWidget* receiver, QKeyEvent* e);
    bool Deliver(QWidget* receiver, QKeyEvent* e);

    bool loaded_ = false;
    bool unloaded_ = false;
    bool unloading_ = false;
    bool keyPreview_ = false;
    int modalResult_ = 0;
    QEventLoop* modalLoop_ = nullptr;
    int* modalSink_ = nullptr;
    QList<QEvent*> delivering_;
    QPointer<QPushButton> defaultButton_;
    QPointer<QPushButton> cancelButton_;
};
