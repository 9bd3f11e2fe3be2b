#include "platform/ui/Twips.h"

#include <QWidget>
#include <cmath>

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

int PixelsToTwips(int pixels) {
    return pixels * TwipsPerPixel;
}

int LeftTwips(const QWidget* w) {
    return PixelsToTwips(w->x());
}
int TopTwips(const QWidget* w) {
    return PixelsToTwips(w->y());
}
int WidthTwips(const QWidget* w) {
    return PixelsToTwips(w->width());
}
int HeightTwips(const QWidget* w) {
    return PixelsToTwips(w->height());
}

void SetLeftTwips(QWidget* w, int left) {
    w->move(TwipsToPixels(left), w->y());
}
void SetTopTwips(QWidget* w, int top) {
    w->move(w->x(), TwipsToPixels(top));
}
void SetWidthTwips(QWidget* w, int width) {
    w->resize(TwipsToPixels(width), w->height());
}
void SetHeightTwips(QWidget* w, int height) {
    w->resize(w->width(), TwipsToPixels(height));
}

void MoveTwips(QWidget* w, int left, int top, int width, int height) {
    w->move(TwipsToPixels(left), TwipsToPixels(top));
    if (width >= 0 && height >= 0)
        w->resize(TwipsToPixels(width), TwipsToPixels(height));
    else if (width >= 0)
        SetWidthTwips(w, width);
    else if (height >= 0)
        SetHeightTwips(w, height);
}
