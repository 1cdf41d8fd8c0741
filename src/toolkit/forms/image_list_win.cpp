// Image lists of the forms layer.
#include "toolkit/forms/image_list_win.h"

namespace korvane::forms {

ImageList::ImageList(int width, int height)
    : width_(width), height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1)) {}

bool ImageList::AddMasked(HBITMAP bitmap, uint32_t transparent) {
    if (!list_ || bitmap == nullptr) {
        return false;
    }
    return ImageList_AddMasked(list_.Get(), bitmap, static_cast<COLORREF>(transparent)) >= 0;
}

bool ImageList::AddResource(HINSTANCE module, const char* name, uint32_t transparent) {
    ScopedBitmap bitmap(
        static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return AddMasked(bitmap.Get(), transparent);
}

bool ImageList::Draw(int index, HDC dc, int x, int y) const {
    return list_ && ImageList_Draw(list_.Get(), index, dc, x, y, ILD_TRANSPARENT) != FALSE;
}

bool ImageList::DrawStretched(int index, HDC dc, int x, int y, int width, int height) const {
    if (!list_) {
        return false;
    }
    // ImageList_DrawEx only cuts, never stretches; an icon of the image does, mask and all.
    const ScopedIcon icon(ImageList_GetIcon(list_.Get(), index, ILD_TRANSPARENT));
    return icon && DrawIconEx(dc, x, y, icon.Get(), width, height, 0, nullptr, DI_NORMAL) != FALSE;
}

int ImageList::Count() const {
    return list_ ? ImageList_GetImageCount(list_.Get()) : 0;
}

} // namespace korvane::forms
