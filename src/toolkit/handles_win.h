// Move-only owners of Win32 handles; the traits say what "no handle" is and how one is freed.
#pragma once

#include "toolkit/icon_handle.h"
#include "toolkit/win32.h"

#include <utility>

namespace korvane {

template <typename Traits> class ScopedHandle {
  public:
    using Handle = typename Traits::Handle;

    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ~ScopedHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return Traits::IsValid(handle_); }
    explicit operator bool() const { return Valid(); }

    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }
    // Frees the current handle now; false when freeing it failed (a file's close can report a
    // failed write-back).
    bool Reset(Handle handle = Traits::Invalid()) {
        Handle old = std::exchange(handle_, handle);
        return !Traits::IsValid(old) || Traits::Close(old);
    }
    // For functions that hand a new handle back through a pointer.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// Kernel objects that report failure as NULL (threads, mutexes, events).
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DestroyIcon(h) != FALSE; }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DestroyMenu(h) != FALSE; }
};

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DestroyWindow(h) != FALSE; }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DeleteObject(h) != FALSE; }
};

// Files report failure as INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return CloseHandle(h) != FALSE; }
};

struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Handle h) { return FindClose(h) != FALSE; }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return RegCloseKey(h) == ERROR_SUCCESS; }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return FreeLibrary(h) != FALSE; }
};

using ScopedKernelHandle = ScopedHandle<KernelHandleTraits>;
using ScopedIcon = ScopedHandle<IconTraits>;
using ScopedMenu = ScopedHandle<MenuTraits>;
using ScopedWindow = ScopedHandle<WindowTraits>;
using ScopedGdiObject = ScopedHandle<GdiObjectTraits>;
using ScopedFile = ScopedHandle<FileTraits>;
using ScopedFind = ScopedHandle<FindTraits>;
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;
using ScopedModule = ScopedHandle<ModuleTraits>;

// The portable icon number and the Win32 handle are the same value.
inline HICON ToHicon(IconHandle icon) {
    return reinterpret_cast<HICON>(static_cast<uintptr_t>(icon));
}
inline IconHandle FromHicon(HICON icon) {
    return static_cast<IconHandle>(reinterpret_cast<uintptr_t>(icon));
}

} // namespace korvane
