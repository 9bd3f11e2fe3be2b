#include "platform/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
std::function<int(const MsgBoxCall&)>& Responder() {
    static std::function<int(const MsgBoxCall&)> responder;
    return responder;
}

QMessageBox::Icon IconOf(int buttons) {
    switch (buttons & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    QString text;
    int result;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> ButtonsOf(int buttons) {
    const ButtonSpec ok{"确定", vbOK, QMessageBox::AcceptRole};
    const ButtonSpec cancel{"取消", vbCancel, QMessageBox::RejectRole};
    const ButtonSpec yes{"是(&Y)", vbYes, QMessageBox::YesRole};
    const ButtonSpec no{"否(&N)", vbNo, QMessageBox::NoRole};
    const ButtonSpec abort{"中止(&A)", vbAbort, QMessageBox::RejectRole};
    const ButtonSpec retry{"重试(&R)", vbRetry, QMessageBox::AcceptRole};
    const ButtonSpec ignore{"忽略(&I)", vbIgnore, QMessageBox::AcceptRole};
    switch (buttons & 0x7) {
        case vbOKCancel:
            return {ok, cancel};
        case vbAbortRetryIgnore:
            return {abort, retry, ignore};
        case vbYesNoCancel:
            return {yes, no, cancel};
        case vbYesNo:
            return {yes, no};
        case vbRetryCancel:
            return {retry, cancel};
        default:
            return {ok};
    }
}

// The answer a box gives when closed with its close box or Esc.
int EscapeResultOf(int buttons) {
    switch (buttons & 0x7) {
        case vbOKCancel:
        case vbYesNoCancel:
        case vbRetryCancel:
            return vbCancel;
        case vbYesNo:
            return vbNo;
        case vbAbortRetryIgnore:
            return vbAbort;
        default:
            return vbOK;
    }
}
}  // namespace

QString DefaultMsgBoxTitle(int buttons) {
    if ((buttons & 0x70) == vbCritical) return QStringLiteral("错误");
    return QStringLiteral("Lumtrak");
}

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    const QString shownTitle = title.isEmpty() ? DefaultMsgBoxTitle(buttons) : title;
    if (Responder()) return Responder()(MsgBoxCall{prompt, buttons, shownTitle});

    QMessageBox box(IconOf(buttons), shownTitle, prompt, QMessageBox::NoButton,
                    QApplication::activeWindow());
    const auto specs = ButtonsOf(buttons);
    std::vector<QPushButton*> pushed;
    for (const auto& spec : specs) pushed.push_back(box.addButton(spec.text, spec.role));
    const size_t defaultIndex = static_cast<size_t>((buttons >> 8) & 0x3);
    if (defaultIndex < pushed.size()) box.setDefaultButton(pushed[defaultIndex]);
    box.exec();
    for (size_t i = 0; i < pushed.size(); ++i) {
        if (box.clickedButton() == pushed[i]) return specs[i].result;
    }
    return EscapeResultOf(buttons);
}

void SetMsgBoxResponder(std::function<int(const MsgBoxCall&)> responder) {
    Responder() = std::move(responder);
}

void ClearMsgBoxResponder() {
    Responder() = nullptr;
}

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
