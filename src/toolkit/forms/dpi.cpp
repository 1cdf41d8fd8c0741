// Lengths of the forms' 96-dpi layouts and their size at a monitor's DPI.
#include "toolkit/forms/dpi.h"

#include <cstdint>

namespace korvane::forms {

namespace {

// Beyond any screen (the largest scale Windows offers is 500 %): anything outside is a failure.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 960;

int64_t DivideRounded(int64_t numerator, int64_t denominator) {
    const int64_t half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

} // namespace

int ValidDpi(int dpi) {
    return dpi >= kLowestDpi && dpi <= kHighestDpi ? dpi : kLayoutDpi;
}

int ScaleToDpi(int length, int dpi) {
    return static_cast<int>(
        DivideRounded(static_cast<int64_t>(length) * ValidDpi(dpi), kLayoutDpi));
}

int ScaleFromDpi(int pixels, int dpi) {
    return static_cast<int>(
        DivideRounded(static_cast<int64_t>(pixels) * kLayoutDpi, ValidDpi(dpi)));
}

int ScaleFromDpiUp(int pixels, int dpi) {
    const int64_t scaled = static_cast<int64_t>(pixels) * kLayoutDpi;
    const int64_t d = ValidDpi(dpi);
    return static_cast<int>(scaled >= 0 ? (scaled + d - 1) / d : -(-scaled / d));
}

Rect ScaleToDpi(const Rect& b, int dpi) {
    return {ScaleToDpi(b.left, dpi), ScaleToDpi(b.top, dpi), ScaleToDpi(b.width, dpi),
            ScaleToDpi(b.height, dpi)};
}

Rect ScaleFromDpi(const Rect& b, int dpi) {
    return {ScaleFromDpi(b.left, dpi), ScaleFromDpi(b.top, dpi), ScaleFromDpi(b.width, dpi),
            ScaleFromDpi(b.height, dpi)};
}

} // namespace korvane::forms
