#pragma once

// Column widths: the program speaks of characters of the standard font (a column width
// as the operator types it, 8.43 for a default column); the file stores the width with
// the cell padding included; on paper a column is a whole number of screen pixels
// (96 to the inch). The standard font's digit is 7 pixels wide.
double FileWidthFromCharacters(double characters);
double CharactersFromFileWidth(double fileWidth);
double PointsFromFileWidth(double fileWidth);
// A default column, from the sheet's base width in characters (8 unless it says other).
double DefaultColumnPoints(double baseCharacters);

// Row heights and printed lengths are in points (72 to the inch).
constexpr double kPointsPerInch = 72.0;
constexpr double kMaxRowHeight = 409.0;
constexpr double kMaxColumnWidth = 255.0;
