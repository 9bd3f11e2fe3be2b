#pragma once
#include <QString>
#include <functional>

// Message boxes with the constants of the original desktop platform.
enum VbMsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum VbMsgBoxResult {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

struct MsgBoxCall {
    QString prompt;
    int buttons = vbOKOnly;
    QString title;
};

// The title a box gets when the caller gives none: "错误" for a failure (the error icon),
// the program's name for any other.
QString DefaultMsgBoxTitle(int buttons);

// Shows a modal message box and returns the button pressed. With a responder set
// (tests, scripted runs), the call is handed to it instead and its answer returned.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
void SetMsgBoxResponder(std::function<int(const MsgBoxCall&)> responder);
void ClearMsgBoxResponder();

// Lets the event loop run the events that are waiting (painting, timers, input).
void DoEvents();
