#pragma once

// SendKeys "{Tab}": queues one Tab key press to the control that has the focus, without
// waiting for it; when the event loop runs it, the focus moves on as the window's own Tab
// moves it (TabOrder.h: hidden and disabled controls, and a hidden tab bar, are passed
// over), and the new control's GotFocus runs then.
void SendKeysTab();
