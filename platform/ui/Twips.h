#pragma once

class QWidget;

// Sizes and positions given in twips: 15 twips are one pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
int TwipsToPixels(double twips);
int PixelsToTwips(int pixels);

// A widget's geometry read and written in twips (relative to its parent, as the
// windows' layouts give them).
int LeftTwips(const QWidget* w);
int TopTwips(const QWidget* w);
int WidthTwips(const QWidget* w);
int HeightTwips(const QWidget* w);
void SetLeftTwips(QWidget* w, int left);
void SetTopTwips(QWidget* w, int top);
void SetWidthTwips(QWidget* w, int width);
void SetHeightTwips(QWidget* w, int height);
// Moves (and, when width and height are not negative, sizes) a widget in twips.
void MoveTwips(QWidget* w, int left, int top, int width = -1, int height = -1);
