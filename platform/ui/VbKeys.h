#pragma once
#include <Qt>

class QKeyEvent;

// Key codes, shift states and mouse buttons as the windows' event handlers receive them.

// The shift state of a key or mouse event: Shift 1, Ctrl 2, Alt 4, added together.
enum VbShiftConstants { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum VbMouseButtonConstants { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

// The key codes the handlers compare against (letters and digits are their upper-case
// character codes: Ctrl+B is KeyCode 66 with Shift 2).
enum VbKeyCodeConstants {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyMenu = 18,
    vbKeyPause = 19,
    vbKeyCapital = 20,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyInsert = 45,
    vbKeyDelete = 46,
    vbKey0 = 48,
    vbKey1 = 49,
    vbKey2 = 50,
    vbKey3 = 51,
    vbKey4 = 52,
    vbKey5 = 53,
    vbKey6 = 54,
    vbKey7 = 55,
    vbKey8 = 56,
    vbKey9 = 57,
    vbKeyA = 65,
    vbKeyB = 66,
    vbKeyC = 67,
    vbKeyD = 68,
    vbKeyE = 69,
    vbKeyF = 70,
    vbKeyG = 71,
    vbKeyH = 72,
    vbKeyI = 73,
    vbKeyJ = 74,
    vbKeyK = 75,
    vbKeyL = 76,
    vbKeyM = 77,
    vbKeyN = 78,
    vbKeyO = 79,
    vbKeyP = 80,
    vbKeyQ = 81,
    vbKeyR = 82,
    vbKeyS = 83,
    vbKeyT = 84,
    vbKeyU = 85,
    vbKeyV = 86,
    vbKeyW = 87,
    vbKeyX = 88,
    vbKeyY = 89,
    vbKeyZ = 90,
    vbKeyNumpad0 = 96,
    vbKeyMultiply = 106,
    vbKeyAdd = 107,
    vbKeySubtract = 109,
    vbKeyDecimal = 110,
    vbKeyDivide = 111,
    vbKeyF1 = 112,
    vbKeyF2 = 113,
    vbKeyF3 = 114,
    vbKeyF4 = 115,
    vbKeyF5 = 116,
    vbKeyF6 = 117,
    vbKeyF7 = 118,
    vbKeyF8 = 119,
    vbKeyF9 = 120,
    vbKeyF10 = 121,
    vbKeyF11 = 122,
    vbKeyF12 = 123,
};

int VbShift(Qt::KeyboardModifiers modifiers);
int VbButton(Qt::MouseButton button);
int VbButtons(Qt::MouseButtons buttons);
// The key code of a key press or release; 0 for a key that has none.
int VbKeyCode(const QKeyEvent& event);
// The character code a key press types (KeyPress's KeyAscii): 13 for Enter, 27 for Esc,
// 8 for Backspace, control codes for Ctrl+letter; 0 when the key types nothing.
int VbKeyAscii(const QKeyEvent& event);

// A copy of a key press that types another character (a KeyPress handler changed
// KeyAscii).
QKeyEvent KeyEventTyping(const QKeyEvent& original, int keyAscii);
