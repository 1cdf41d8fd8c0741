// The one window procedure of the toolkit's own window classes: it finds the object a window was
// created for and hands every message to it, and no handler's exception gets past it.
#pragma once

#include "toolkit/win32.h"

namespace korvane {

// A class whose windows are registered with Procedure() and created with BindParam() as the
// create parameter. The object is bound on WM_NCCREATE and unbound after WM_NCDESTROY or when it
// goes; in between every message of the window reaches HandleWindowMessage.
class BoundWindow {
  public:
    BoundWindow(const BoundWindow&) = delete;
    BoundWindow& operator=(const BoundWindow&) = delete;

    static WNDPROC Procedure() { return &WindowProc; }

  protected:
    BoundWindow() = default;
    // Unbinds: a window that outlives the object (destroyed by a base listed before this one)
    // gets DefWindowProcA from here on.
    virtual ~BoundWindow();

    // The lpParam of CreateWindowExA: this base's own address, whatever the derived class.
    void* BindParam() { return this; }

    virtual LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) = 0;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam,
                                       LPARAM lparam) noexcept;

    HWND bound_ = nullptr;
};

} // namespace korvane
