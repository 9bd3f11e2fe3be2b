#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Turns the application's focus changes into GotFocus/LostFocus of the controls that have
// handlers (ControlEvents). Each window remembers the control that has its focus, so a
// control keeps the focus while another window or program is in front, and loses it only
// when another control takes it.
class FocusTracker : public QObject {
    Q_OBJECT
  public:
    static FocusTracker& Instance();

    // The control that has the focus of a window in this sense (nullptr when none yet).
    QWidget* FocusOf(QWidget* window) const;

  private:
    FocusTracker();
    void OnFocusChanged(QWidget* old, QWidget* now);
    static void RaiseLost(QWidget* from, QWidget* to);
    static void RaiseGot(QWidget* from, QWidget* to);

    QHash<QWidget*, QPointer<QWidget>> focusOf_;
    QPointer<QWidget> unannounced_;  // took the focus; its GotFocus has not run yet
};
