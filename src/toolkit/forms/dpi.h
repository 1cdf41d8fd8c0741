// Lengths of the forms' 96-dpi layouts and their size at a monitor's DPI.
#pragma once

#include "toolkit/forms/layout.h"

namespace korvane::forms {

// The DPI the layouts are written for: at it every length is what the layout says.
inline constexpr int kLayoutDpi = 96;

// A DPI of a monitor or the system, or the layout's own when the answer makes no sense.
int ValidDpi(int dpi);

// A 96-dpi length at `dpi`, rounded to the nearest pixel, halves away from zero (as MulDiv).
int ScaleToDpi(int length, int dpi);
// A length in pixels at `dpi` back in 96-dpi units, to the nearest. For every DPI of 96 and more
// it undoes ScaleToDpi exactly, so a control's bounds read back as they were set.
int ScaleFromDpi(int pixels, int dpi);
// As ScaleFromDpi, but up: a measured text's room, scaled again, is never less than the text.
int ScaleFromDpiUp(int pixels, int dpi);

// Every part of the rectangle scaled on its own: controls of one width keep one width.
Rect ScaleToDpi(const Rect& bounds, int dpi);
Rect ScaleFromDpi(const Rect& bounds, int dpi);

} // namespace korvane::forms
