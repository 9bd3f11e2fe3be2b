#pragma once
#include <QString>

// Whether a filter box narrows its list: every entry does except "全部" and the empty
// text (a box not filled yet, or being refilled).
bool Narrows(const QString& filterText);
// The first entry of every filter box, the one that does not narrow.
QString AllEntries();
