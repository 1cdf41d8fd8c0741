// The Win32 members of the handle family: traits and owners of kernel, GDI and user handles.
#pragma once

#include "toolkit/icon_handle.h"
#include "toolkit/scoped_handle.h"
#include "toolkit/win32.h"

#include <commctrl.h>

namespace korvane {

// Kernel handles: some functions report failure as NULL (threads, mutexes, events), others as
// INVALID_HANDLE_VALUE (files, searches); neither is a handle.
struct KernelNoHandle {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
};
struct KernelFileNoHandle : KernelNoHandle {
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
};

struct KernelHandleTraits : KernelNoHandle {
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

// A mutex this thread owns: ownership is given up before the handle is closed, so that a waiter
// elsewhere gets it at once rather than when this thread ends.
struct OwnedMutexTraits : KernelNoHandle {
    static bool Close(Handle h) {
        const bool released = ReleaseMutex(h) != FALSE;
        return CloseHandle(h) != FALSE && released;
    }
};

struct FileTraits : KernelFileNoHandle {
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct FindTraits : KernelFileNoHandle {
    static bool Close(Handle h) { return FindClose(h) != FALSE; }
};

struct IconTraits : NullIsNoHandle<HICON> {
    static bool Close(Handle h) { return DestroyIcon(h) != FALSE; }
};

struct MenuTraits : NullIsNoHandle<HMENU> {
    static bool Close(Handle h) { return DestroyMenu(h) != FALSE; }
};

struct WindowTraits : NullIsNoHandle<HWND> {
    static bool Close(Handle h) { return DestroyWindow(h) != FALSE; }
};

// Fonts, brushes and bitmaps; typed, so that no cast is needed where they are used.
template <typename H> struct GdiObjectTraits : NullIsNoHandle<H> {
    static bool Close(H h) { return DeleteObject(h) != FALSE; }
};

// A DC of CreateCompatibleDC.
struct MemoryDcTraits : NullIsNoHandle<HDC> {
    static bool Close(Handle h) { return DeleteDC(h) != FALSE; }
};

// A DC of GetDC goes back to the window it came from (null: the screen).
struct WindowDcTraits : NullIsNoHandle<HDC> {
    HWND window = nullptr;
    bool Close(Handle h) const { return ReleaseDC(window, h) == 1; }
};

// The handle is the object a SelectObject replaced; closing selects it back into the DC.
struct SelectionTraits : NullIsNoHandle<HGDIOBJ> {
    HDC dc = nullptr;
    // HGDI_ERROR is what a failed selection of a region returns.
    static bool IsValid(Handle h) { return h != nullptr && h != HGDI_ERROR; }
    bool Close(Handle h) const { return SelectObject(dc, h) != nullptr; }
};

struct ImageListTraits : NullIsNoHandle<HIMAGELIST> {
    static bool Close(Handle h) { return ImageList_Destroy(h) != FALSE; }
};

struct RegistryKeyTraits : NullIsNoHandle<HKEY> {
    static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

struct ModuleTraits : NullIsNoHandle<HMODULE> {
    static bool Close(Handle h) { return FreeLibrary(h) != FALSE; }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedIcon = ScopedHandle<IconTraits>;
using ScopedMenu = ScopedHandle<MenuTraits>;
using ScopedWindow = ScopedHandle<WindowTraits>;
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedBrush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;
using ScopedImageList = ScopedHandle<ImageListTraits>;
using ScopedOwnedMutex = ScopedHandle<OwnedMutexTraits>;
using ScopedFile = ScopedHandle<FileTraits>;
using ScopedFind = ScopedHandle<FindTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;

// The DC of a window's client area (null: the screen) for one scope.
class ScopedWindowDc : public ScopedHandle<WindowDcTraits> {
  public:
    explicit ScopedWindowDc(HWND window)
        : ScopedHandle(GetDC(window), WindowDcTraits{{}, window}) {}
};

// An object selected into a DC for one scope; the one it replaced goes back at the end.
class ScopedSelection : public ScopedHandle<SelectionTraits> {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : ScopedHandle(SelectObject(dc, object), SelectionTraits{{}, dc}) {}
};

// The portable icon number and the Win32 handle are the same value.
inline HICON ToHicon(IconHandle icon) {
    return reinterpret_cast<HICON>(static_cast<uintptr_t>(icon));
}
inline IconHandle FromHicon(HICON icon) {
    return static_cast<IconHandle>(reinterpret_cast<uintptr_t>(icon));
}

// DestroyIcon for icons the system made. It holds nothing, so it outlives every icon that names
// it, those of the tray included.
inline IconDestroyerPort& SystemIconDestroyer() {
    struct System final : IconDestroyerPort {
        void DestroyIcon(IconHandle icon) override { ::DestroyIcon(ToHicon(icon)); }
    };
    static System system;
    return system;
}

// An icon of CreateIcon, CopyIcon and the like, with DestroyIcon as its end.
inline OwnedIcon OwnIcon(HICON icon) {
    return OwnedIcon(FromHicon(icon), OwnedIconTraits{{}, &SystemIconDestroyer()});
}

} // namespace korvane
