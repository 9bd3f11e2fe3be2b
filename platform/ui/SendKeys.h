#pragma once

// SendKeys "{Tab}": queues one Tab key press to the control that has the focus, without
// waiting for it; when the event loop runs it, the focus moves to the next control in the
// tab order (hidden and disabled controls are passed over), whose own GotFocus runs then.
void SendKeysTab();
