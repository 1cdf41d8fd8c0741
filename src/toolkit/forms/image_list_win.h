// An owned image list of fixed-size pictures with a transparent colour (disk pictures, headers).
#pragma once

#include "toolkit/handles_win.h"

#include <cstdint>

namespace korvane::forms {

class ImageList {
  public:
    // An empty 32-bit list with mask of width x height images.
    ImageList(int width, int height);

    // Adds a bitmap (cut into images of the list's width); pixels of `transparent` (0x00BBGGRR)
    // become transparent. The bitmap stays the caller's. False on failure.
    bool AddMasked(HBITMAP bitmap, uint32_t transparent);
    // Loads a bitmap resource of `module` as a DIB section and adds it as above.
    bool AddResource(HINSTANCE module, const char* name, uint32_t transparent);

    bool Draw(int index, HDC dc, int x, int y) const;
    // Stretched to width x height, for a window laid out at a higher DPI than the pictures.
    bool DrawStretched(int index, HDC dc, int x, int y, int width, int height) const;
    int Count() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    HIMAGELIST Handle() const { return list_.Get(); }

  private:
    int width_;
    int height_;
    ScopedImageList list_;
};

} // namespace korvane::forms
