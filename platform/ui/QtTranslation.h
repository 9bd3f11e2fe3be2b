#pragma once

// Qt's own windows and texts in Chinese, whatever the machine's language: the save dialog,
// the print dialog and the print preview, the standard buttons. Makes Simplified Chinese
// (China) the default locale, for the dates and numbers Qt's windows write, and loads Qt's
// Simplified Chinese translation (qtbase_zh_CN) from Qt's translations folder and installs
// it on the application. Call once the application exists and before any window is built.
// Returns false when the translation is not installed on this machine: Qt's windows then
// speak English and nothing else changes. Calling it again changes nothing.
bool InstallQtTranslation();
