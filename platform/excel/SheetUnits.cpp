#include "platform/excel/SheetUnits.h"

#include <cmath>

namespace {
constexpr double kDigitPixels = 7.0;
constexpr double kPaddingPixels = 5.0;
constexpr double kPointsPerPixel = 0.75;
}  // namespace

double FileWidthFromCharacters(double characters) {
    if (characters <= 0) return 0;
    return std::trunc((characters * kDigitPixels + kPaddingPixels) / kDigitPixels * 256.0) / 256.0;
}

double CharactersFromFileWidth(double fileWidth) {
    if (fileWidth <= 0) return 0;
    const double pixels =
        std::trunc(((256.0 * fileWidth + std::trunc(128.0 / kDigitPixels)) / 256.0) * kDigitPixels);
    const double characters = (pixels - kPaddingPixels) / kDigitPixels;
    // The width as typed is rounded to hundredths; measure from the stored value, not the pixels.
    const double exact = (fileWidth * kDigitPixels - kPaddingPixels) / kDigitPixels;
    return std::round((characters > 0 ? exact : 0) * 100.0) / 100.0;
}

double PointsFromFileWidth(double fileWidth) {
    if (fileWidth <= 0) return 0;
    const double pixels =
        std::trunc(((256.0 * fileWidth + std::trunc(128.0 / kDigitPixels)) / 256.0) * kDigitPixels);
    return pixels * kPointsPerPixel;
}

double DefaultColumnPoints(double baseCharacters) {
    // The base width plus padding, rounded up to a multiple of 8 pixels (64 for 8).
    const double pixels = std::ceil((baseCharacters * kDigitPixels + kPaddingPixels) / 8.0) * 8.0;
    return pixels * kPointsPerPixel;
}
