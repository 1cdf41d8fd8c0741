// Drives the program's windows from tests under Wine: finds windows and controls, reads their
// state, clicks, types, sends keys, waits with timeouts and saves screenshots as PNG.
#pragma once

#include "toolkit/win32.h"

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace korvane::test::ui {

using Timeout = std::chrono::milliseconds;
constexpr Timeout kDefaultTimeout{5000};

// Offered every message before dispatch, as the program's loop does (keyboard navigation).
void SetMessageFilter(std::function<bool(MSG&)> filter);
// Dispatches every waiting message of the calling thread.
void PumpMessages();
// Pumps this thread's messages until `condition` holds or the timeout passes; the final value.
bool WaitUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout);

// --- Finding ---------------------------------------------------------------------------------
// A top-level window with this caption (and class, when given), visible or not; null if none.
HWND FindTopWindow(const std::string& caption, const std::string& windowClass = "");
// The shown top-level window of this thread, if any.
HWND ShownWindowOf(DWORD threadId);
// Waits for such a window to be visible.
HWND WaitForWindow(const std::string& caption, const std::string& windowClass = "",
                   Timeout timeout = kDefaultTimeout);
// Waits for a window to be destroyed or hidden.
bool WaitForWindowGone(HWND window, Timeout timeout = kDefaultTimeout);
// The index-th direct child of `parent` of this class, in the order of its siblings.
HWND FindChild(HWND parent, const std::string& windowClass, int index = 0);
// The first descendant (depth first) whose text is `text`, optionally of a class.
HWND FindByText(HWND root, const std::string& text, const std::string& windowClass = "");
// The index-th descendant (depth first) of a class.
HWND FindDescendant(HWND root, const std::string& windowClass, int index = 0);

// --- Reading ---------------------------------------------------------------------------------
std::string ClassOf(HWND window);
std::string Text(HWND window);
bool IsChecked(HWND button);
bool IsEnabled(HWND window);
bool IsVisible(HWND window); // on screen: itself and all its parents visible
int ComboSelection(HWND combo);
std::string ComboItemText(HWND combo, int index);
int ComboCount(HWND combo);
int TabSelection(HWND tab);
int TabCount(HWND tab);
std::string TreeItemText(HWND tree, HTREEITEM item);
std::string TreeSelectionText(HWND tree);
HWND Focus();
// Texts of all descendants, depth first (what a person would read in a dialog).
std::vector<std::string> AllTexts(HWND root);

// --- Acting ----------------------------------------------------------------------------------
// A left click at a point of the window's client area (the centre by default).
void Click(HWND window);
void ClickAt(HWND window, int x, int y);
void DoubleClickAt(HWND window, int x, int y);
// Types the characters into the window, as WM_CHAR messages.
void Type(HWND window, const std::string& text);
// A key press delivered to the focused window through the message queue, with modifiers held.
void PressKey(UINT virtualKey, bool shift = false, bool ctrl = false);
void SetFocusTo(HWND window);
// Picks a list entry the way the user's choice arrives: selection, then CBN_SELCHANGE.
void PickComboItem(HWND combo, int index);
// Clicks a tab of a tab control.
void ClickTab(HWND tab, int index);

// Waits on its own thread for a visible dialog with this caption and presses the button with
// `command_id` (IDOK, IDCANCEL...), for modal loops that block the test's thread. Remembers the
// texts the dialog showed.
class DialogResponder {
  public:
    DialogResponder(std::string caption, int commandId, Timeout timeout = kDefaultTimeout);
    ~DialogResponder();
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;
    // Waits for the thread; true when it found the dialog and pressed the button.
    bool Finish();
    const std::vector<std::string>& texts() const { return texts_; }

  private:
    std::vector<std::string> texts_;
    std::atomic<bool> pressed_{false};
    std::thread thread_;
};

// --- Screenshots -----------------------------------------------------------------------------
// Folder the pictures land in: <build dir>\screenshots (KORVANE_BUILD_DIR), created on demand.
std::string ScreenshotFolder();
// Saves what the screen shows of the window (its whole outer rectangle) as NAME.png; the full
// path, or empty on failure.
std::string SaveWindowPng(HWND window, const std::string& name);
std::string SaveScreenPng(const std::string& name);

} // namespace korvane::test::ui
