#pragma once
#include <QString>

// What the operator typed, as a message quotes it: cut to 20 characters and "…", so that a
// pasted page does not fill the message box. A character is never cut in half.
QString QuotedInput(const QString& typed);
