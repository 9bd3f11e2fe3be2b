#pragma once

// The check-out openers show their dialog only once the main window is the active window
// again (a message box or another window may still be in front): they yield to the event
// loop until it is, or until it is gone. The wait is bounded, so a main window that is not
// activated (another program in front) delays the dialog only a little.
class MainWindowWait {
  public:
    // False when the main window went away meanwhile.
    static bool UntilActive();
};
