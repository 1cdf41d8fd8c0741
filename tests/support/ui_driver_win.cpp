// The UI test driver.
#include "ui_driver_win.h"

#include "gdi_win.h"
#include "png_writer.h"
#include "test_env.h"
#include "toolkit/handles_win.h"

#include <commctrl.h>

#include <cstdlib>

namespace korvane::test::ui {

namespace {

std::function<bool(MSG&)>& Filter() {
    static std::function<bool(MSG&)> filter;
    return filter;
}

std::string WindowText(HWND window) {
    // WM_GETTEXT also reaches other threads' windows, which GetWindowText does not ask.
    const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const auto copied = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Collect(HWND parent, std::vector<HWND>& out) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
        Collect(child, out);
    }
}

struct TopSearch {
    const std::string* caption;
    const std::string* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    if (WindowText(window) == *search->caption &&
        (search->windowClass->empty() || ClassOf(window) == *search->windowClass)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

LPARAM PointParam(int x, int y) {
    return static_cast<LPARAM>((static_cast<unsigned>(y) << 16) |
                               (static_cast<unsigned>(x) & 0xFFFF));
}

std::vector<uint32_t> CaptureScreen(int left, int top, int width, int height) {
    std::vector<uint32_t> pixels = ScreenPixels(left, top, width, height);
    for (uint32_t& p : pixels) {
        p |= 0xFF000000u; // 0x00RRGGBB from the DIB, opaque
    }
    return pixels;
}

std::string SaveRegion(int left, int top, int width, int height, const std::string& name) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::vector<uint32_t> pixels = CaptureScreen(left, top, width, height);
    if (pixels.empty()) {
        return {};
    }
    const std::string path = JoinPath(ScreenshotFolder(), name + ".png");
    return WritePng(path, width, height, pixels) ? path : std::string();
}

} // namespace

void SetMessageFilter(std::function<bool(MSG&)> filter) {
    Filter() = std::move(filter);
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (Filter() && Filter()(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& condition, Timeout timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (condition()) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return condition();
        }
        // Wakes for new messages at once; the short cap covers conditions other threads change.
        MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                  static_cast<DWORD>(std::min<long long>(left.count(), 10)),
                                  QS_ALLINPUT);
    }
}

HWND ShownWindowOf(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(
        threadId,
        [](HWND hwnd, LPARAM param) -> BOOL {
            if (!IsWindowVisible(hwnd))
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindTopWindow(const std::string& caption, const std::string& windowClass) {
    TopSearch search{&caption, &windowClass};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::string& caption, const std::string& windowClass, Timeout timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(caption, windowClass);
            return found != nullptr && IsWindowVisible(found);
        },
        timeout);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

bool WaitForWindowGone(HWND window, Timeout timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

HWND FindChild(HWND parent, const std::string& windowClass, int index) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == windowClass && index-- == 0) {
            return child;
        }
    }
    return nullptr;
}

HWND FindByText(HWND root, const std::string& text, const std::string& windowClass) {
    std::vector<HWND> all;
    Collect(root, all);
    for (HWND w : all) {
        if (WindowText(w) == text && (windowClass.empty() || ClassOf(w) == windowClass)) {
            return w;
        }
    }
    return nullptr;
}

HWND FindDescendant(HWND root, const std::string& windowClass, int index) {
    std::vector<HWND> all;
    Collect(root, all);
    for (HWND w : all) {
        if (ClassOf(w) == windowClass && index-- == 0) {
            return w;
        }
    }
    return nullptr;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::string Text(HWND window) {
    return window != nullptr ? WindowText(window) : std::string();
}

bool IsChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

int ComboSelection(HWND combo) {
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

std::string ComboItemText(HWND combo, int index) {
    const auto length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int ComboCount(HWND combo) {
    return static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

int TabSelection(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}

int TabCount(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char buffer[260] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof(buffer);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.pszText != nullptr ? std::string(tv.pszText) : std::string();
}

std::string TreeSelectionText(HWND tree) {
    HTREEITEM item = TreeView_GetSelection(tree);
    if (item == nullptr) {
        return {};
    }
    return TreeItemText(tree, item);
}

HWND Focus() {
    return GetFocus();
}

std::vector<std::string> AllTexts(HWND root) {
    std::vector<HWND> all;
    Collect(root, all);
    std::vector<std::string> texts;
    for (HWND w : all) {
        texts.push_back(WindowText(w));
    }
    return texts;
}

void Click(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    ClickAt(window, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

void ClickAt(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, PointParam(x, y));
    PumpMessages();
}

void DoubleClickAt(HWND window, int x, int y) {
    ClickAt(window, x, y);
    PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, PointParam(x, y));
    PumpMessages();
}

void Type(HWND window, const std::string& text) {
    for (char c : text) {
        PostMessageA(window, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    PumpMessages();
}

void PressKey(UINT virtualKey, bool shift, bool ctrl) {
    BYTE saved[256] = {};
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    held[VK_SHIFT] = shift ? 0x80 : 0;
    held[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(held);
    HWND target = GetFocus();
    if (target != nullptr) {
        PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
        PostMessageA(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
        PumpMessages();
    }
    SetKeyboardState(saved);
}

void SetFocusTo(HWND window) {
    SetFocus(window);
    PumpMessages();
}

void PickComboItem(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    PumpMessages();
}

void ClickTab(HWND tab, int index) {
    RECT r{};
    if (SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r))) {
        ClickAt(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
}

DialogResponder::DialogResponder(std::string caption, int commandId, Timeout timeout)
    : thread_([this, caption = std::move(caption), commandId, timeout] {
          const auto deadline = std::chrono::steady_clock::now() + timeout;
          while (std::chrono::steady_clock::now() < deadline) {
              HWND dialog = FindTopWindow(caption, "#32770");
              if (dialog != nullptr && IsWindowVisible(dialog)) {
                  texts_ = AllTexts(dialog);
                  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED), 0);
                  pressed_ = true;
                  return;
              }
              // Polling another thread's windows; the deadline above bounds it.
              std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
      }) {}

DialogResponder::~DialogResponder() {
    Finish();
}

bool DialogResponder::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return pressed_;
}

std::string ScreenshotFolder() {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    const std::string base = build != nullptr && *build != '\0' ? build : ".";
    const std::string folder = JoinPath(base, "screenshots");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string SaveWindowPng(HWND window, const std::string& name) {
    RECT r{};
    if (!GetWindowRect(window, &r)) {
        return {};
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    return SaveRegion(r.left, r.top, r.right - r.left, r.bottom - r.top, name);
}

std::string SaveScreenPng(const std::string& name) {
    return SaveRegion(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), name);
}

} // namespace korvane::test::ui
