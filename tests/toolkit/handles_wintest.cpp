// The GDI owners of the handle family: each frees what it holds when its scope ends, once.
#include "toolkit/handles_win.h"

#include <gtest/gtest.h>

#include <utility>

namespace korvane {
namespace {

// GetObjectType reads 0 for a handle that is no GDI object any more; Wine's GetGuiResources
// always reads 0, so the handles themselves are asked.
TEST(ScopedGdi, EachOwnerDeletesItsObjectAtScopeEnd) {
    HFONT font = nullptr;
    HBRUSH brush = nullptr;
    HBITMAP bitmap = nullptr;
    HDC memory = nullptr;
    {
        const ScopedFont ownedFont(CreateFontA(
            -11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif"));
        const ScopedBrush ownedBrush(CreateSolidBrush(RGB(1, 2, 3)));
        const ScopedBitmap ownedBitmap(CreateBitmap(8, 8, 1, 1, nullptr));
        const ScopedMemoryDc ownedMemory(CreateCompatibleDC(nullptr));
        font = ownedFont.Get();
        brush = ownedBrush.Get();
        bitmap = ownedBitmap.Get();
        memory = ownedMemory.Get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), GetObjectType(font));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brush));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bitmap));
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(memory));
    }
    EXPECT_EQ(0u, GetObjectType(font));
    EXPECT_EQ(0u, GetObjectType(brush));
    EXPECT_EQ(0u, GetObjectType(bitmap));
    EXPECT_EQ(0u, GetObjectType(memory));
}

TEST(ScopedGdi, AMovedOwnerDeletesOnceAndAReleasedObjectStaysAlive) {
    ScopedBrush first(CreateSolidBrush(RGB(4, 5, 6)));
    const HBRUSH brush = first.Get();
    {
        ScopedBrush second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(brush, second.Get());
        ScopedBrush third(CreateSolidBrush(RGB(7, 8, 9)));
        const HBRUSH replaced = third.Get();
        third = std::move(second); // the one it held goes now
        EXPECT_EQ(0u, GetObjectType(replaced));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(brush));
    }
    EXPECT_EQ(0u, GetObjectType(brush));

    ScopedBitmap kept(CreateBitmap(8, 8, 1, 1, nullptr));
    const HBITMAP bitmap = kept.Release();
    EXPECT_FALSE(kept);
    kept.Reset();
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(bitmap));
    EXPECT_TRUE(DeleteObject(bitmap));
}

// A DC from GetDC that was given back already cannot be given back again: ReleaseDC says 0.
TEST(ScopedGdi, WindowDcGoesBackToItsWindow) {
    const ScopedWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 40, 40, nullptr,
                                              nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    HDC dc = nullptr;
    {
        const ScopedWindowDc scoped(window.Get());
        ASSERT_TRUE(scoped);
        dc = scoped.Get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_DC), GetObjectType(dc));
    }
    EXPECT_EQ(0, ReleaseDC(window.Get(), dc));

    HDC screen = nullptr;
    {
        const ScopedWindowDc scoped(nullptr);
        ASSERT_TRUE(scoped);
        screen = scoped.Get();
    }
    EXPECT_EQ(0, ReleaseDC(nullptr, screen));

    // One still held is given back by its owner, not by anyone before.
    ScopedWindowDc held(window.Get());
    HDC heldDc = held.Release();
    EXPECT_EQ(1, ReleaseDC(window.Get(), heldDc));
}

TEST(ScopedGdi, SelectionPutsThePreviousObjectBack) {
    const ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    const ScopedBitmap bitmap(CreateBitmap(8, 8, 1, 1, nullptr));
    const ScopedFont font(CreateFontA(-13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH, "MS Sans Serif"));
    HGDIOBJ ownBitmap = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    HGDIOBJ ownFont = GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        const ScopedSelection selectedBitmap(dc.Get(), bitmap.Get());
        const ScopedSelection selectedFont(dc.Get(), font.Get());
        EXPECT_EQ(bitmap.Get(), GetCurrentObject(dc.Get(), OBJ_BITMAP));
        EXPECT_EQ(font.Get(), GetCurrentObject(dc.Get(), OBJ_FONT));
        EXPECT_EQ(ownBitmap, selectedBitmap.Get());
    }
    EXPECT_EQ(ownBitmap, GetCurrentObject(dc.Get(), OBJ_BITMAP));
    EXPECT_EQ(ownFont, GetCurrentObject(dc.Get(), OBJ_FONT));

    // A selection that failed has nothing to put back.
    const ScopedSelection failed(dc.Get(), nullptr);
    EXPECT_FALSE(failed);
}

// The list's own bitmap is a GDI object that goes with the list.
TEST(ScopedGdi, ImageListIsDestroyedWithItsBitmaps) {
    HBITMAP listBitmap = nullptr;
    {
        const ScopedImageList list(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1));
        ASSERT_TRUE(list);
        const ScopedBitmap picture(CreateBitmap(16, 16, 1, 32, nullptr));
        ASSERT_EQ(0, ImageList_AddMasked(list.Get(), picture.Get(), RGB(255, 0, 255)));
        IMAGEINFO info{};
        ASSERT_TRUE(ImageList_GetImageInfo(list.Get(), 0, &info));
        listBitmap = info.hbmImage;
        EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(listBitmap));
    }
    EXPECT_EQ(0u, GetObjectType(listBitmap));
}

} // namespace
} // namespace korvane
