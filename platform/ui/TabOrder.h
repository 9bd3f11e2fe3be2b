#pragma once

class QWidget;

// What Tab and Shift+Tab do in every window of the program: the focus moves to the next
// (or previous) control of the window in its tab order that is shown, enabled and takes
// the focus from the keyboard, wrapping round at either end. A control that hands its focus
// on to another (a tab widget to its tab bar) counts only when that one could take it, so a
// hidden tab bar never holds the focus where it is and every LostFocus runs on Tab.

// The control Tab (next) or Shift+Tab (!next) moves to from the control that has the focus
// of window; nullptr when no other control can take it.
QWidget* TabStopFrom(QWidget* window, bool next);

// Moves the focus of window as Tab or Shift+Tab does; false when there is nowhere to go.
bool MoveFocusByTab(QWidget* window, bool next);
