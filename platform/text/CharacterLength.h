#pragma once
#include <QString>

// Lengths of texts as characters the operator sees and the database counts: a character
// outside the basic plane (an emoji, a rare Chinese character) is one character, although
// it takes two UTF-16 units.
int CharacterCount(const QString& text);

// The first `count` characters of a text, never cutting a character in half.
QString LeftCharacters(const QString& text, int count);
