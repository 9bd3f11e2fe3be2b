#include "platform/ui/VbKeys.h"

#include <QKeyEvent>

int VbShift(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= vbShiftMask;
    if (modifiers & Qt::ControlModifier) shift |= vbCtrlMask;
    if (modifiers & Qt::AltModifier) shift |= vbAltMask;
    return shift;
}

int VbButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}

int VbButtons(Qt::MouseButtons buttons) {
    int result = 0;
    if (buttons & Qt::LeftButton) result |= vbLeftButton;
    if (buttons & Qt::RightButton) result |= vbRightButton;
    if (buttons & Qt::MiddleButton) result |= vbMiddleButton;
    return result;
}

namespace {

int KeypadKeyCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vbKeyNumpad0 + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Asterisk:
            return vbKeyMultiply;
        case Qt::Key_Plus:
            return vbKeyAdd;
        case Qt::Key_Minus:
            return vbKeySubtract;
        case Qt::Key_Period:
            return vbKeyDecimal;
        case Qt::Key_Slash:
            return vbKeyDivide;
        case Qt::Key_Enter:
            return vbKeyReturn;
        default:
            return -1;
    }
}

// Punctuation keys of a US keyboard, by the code the original platform gives them.
int PunctuationKeyCode(int key) {
    switch (key) {
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
    }
}

int NamedKeyCode(int key) {
    switch (key) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return vbKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Shift:
            return vbKeyShift;
        case Qt::Key_Control:
            return vbKeyControl;
        case Qt::Key_Alt:
            return vbKeyMenu;
        case Qt::Key_Pause:
            return vbKeyPause;
        case Qt::Key_CapsLock:
            return vbKeyCapital;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Insert:
            return vbKeyInsert;
        case Qt::Key_Delete:
            return vbKeyDelete;
        default:
            return 0;
    }
}

// Shifted digits on a US keyboard, so that Shift+1 is still key code 49.
int ShiftedDigitKeyCode(int key) {
    static const int shifted[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                  Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                  Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                  Qt::Key_ParenLeft};
    for (int d = 0; d < 10; ++d) {
        if (shifted[d] == key) return vbKey0 + d;
    }
    return 0;
}

}  // namespace

int VbKeyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        const int code = KeypadKeyCode(key);
        if (code >= 0) return code;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // Qt's codes are the upper-case letters
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vbKeyF1 + (key - Qt::Key_F1);
    if (const int named = NamedKeyCode(key)) return named;
    if (const int digit = ShiftedDigitKeyCode(key)) return digit;
    return PunctuationKeyCode(key);
}

int VbKeyAscii(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0;
        default:
            break;
    }
    // Alt with a letter is a menu or button accelerator: it types nothing.
    if ((event.modifiers() & Qt::AltModifier) && !(event.modifiers() & Qt::ControlModifier))
        return 0;
    // Ctrl+letter types the control code of the letter, whatever text the platform gave.
    if ((event.modifiers() & Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    const QString text = event.text();
    if (!text.isEmpty() && text[0].unicode() != 0 && text[0].unicode() != 127)
        return text[0].unicode();
    return 0;
}

QKeyEvent KeyEventTyping(const QKeyEvent& original, int keyAscii) {
    const QString text(QChar(static_cast<char16_t>(keyAscii)));
    int key = Qt::Key_unknown;
    if (keyAscii >= 'a' && keyAscii <= 'z')
        key = Qt::Key_A + (keyAscii - 'a');
    else if (keyAscii >= 32 && keyAscii < 127)
        key = QChar(keyAscii).toUpper().unicode();
    else if (keyAscii == 13)
        key = Qt::Key_Return;
    else if (keyAscii == 8)
        key = Qt::Key_Backspace;
    else if (keyAscii == 27)
        key = Qt::Key_Escape;
    return QKeyEvent(original.type(), key, original.modifiers(), text, original.isAutoRepeat(),
                     static_cast<quint16>(original.count()));
}
