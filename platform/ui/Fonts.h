#pragma once
#include <QFont>
#include <QStringList>

// The font families tried in turn so that Chinese renders the same everywhere: the
// WenQuanYi font the setup installs, the Noto CJK font in its Simplified Chinese cut
// (without "SC" it falls back to Japanese glyph forms), then the system's sans serif.
QStringList CjkFamilies();

// Makes the CJK family list the application's default font (call once after the
// application object is created, before windows are built).
void ApplyCjkFonts();

// A font named as the windows' designs name it ("宋体", "隶书", ...), in points, falling
// back to the CJK families when the named one is not installed.
QFont CjkFont(const QString& family, double pointSize, bool bold = false);
