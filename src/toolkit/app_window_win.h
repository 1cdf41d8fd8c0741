// The hidden application window and the GUI thread's message loop: the single message step with
// its message hooks and filter, Run, close-to-quit, the synchronous-call message, and the tray
// icons and pop-up menus that belong to the window.
#pragma once

#include "toolkit/bound_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/product.h"
#include "toolkit/win32.h"

#include <shellapi.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace korvane {

class TrayIcon;
class PopupMenu;

// Private messages of the application window.
inline constexpr UINT kSynchronizeMessage = 0x8FFF;  // wParam, lParam: the pending call's ticket
inline constexpr UINT kTrayCallbackMessage = 0xB008; // wParam: tray icon id, lParam: mouse code

struct AppWindowArgs {
    std::string caption = kProductName;
    std::string className = "KorvaneMonitor_Main";
    std::string iconName = "MAINICON"; // icon resource of the program's module
    int fontHeight = 11;
};

// Replaceable for tests that watch the records going to the shell; Shell_NotifyIconA by default.
using ShellNotifier = std::function<bool(DWORD message, NOTIFYICONDATAA& data)>;

class AppWindow : private BoundWindow {
  public:
    explicit AppWindow(const AppWindowArgs& args = {});
    ~AppWindow() override;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    HWND Handle() const { return window_.Get(); }
    DWORD GuiThreadId() const { return guiThreadId_; }

    // The single message step: takes one waiting message, if any. WM_QUIT sets the terminated
    // flag. Any other message goes first to the message hooks (newest first), then to the message
    // filter; when none of them consumes it (returns true), it is translated and dispatched.
    // WM_SYSCOMMAND for the application window meets the filter in the window procedure instead,
    // so that sent and posted ones are filtered alike, once.
    // Returns whether a message was taken. Callable from inside longer operations. On any other
    // thread it only translates and dispatches that thread's message.
    bool ProcessOneMessage();
    // Message steps until the queue is empty.
    void ProcessMessages();
    // Waits for messages and processes them until the terminated flag is set; then frees the
    // window (its tray icons leave the tray, its tray icons and menus are freed).
    void Run();
    bool Terminated() const { return terminated_; }

    // The application's message filter (one; set by the application).
    std::function<bool(MSG& msg)> MessageFilter;

    // Message hooks let toolkit code see every message of the loop before the filter, e.g. forms
    // handle Tab and Shift+Tab there. A hook returns true to consume the message.
    using HookId = int;
    HookId AddMessageHook(std::function<bool(MSG& msg)> hook);
    void RemoveMessageHook(HookId id);

    // Owned by the window, freed with it (after Run, or with the window object).
    TrayIcon& CreateTrayIcon(OwnedIcon icon);
    PopupMenu& CreatePopupMenu(const std::vector<std::string>& itemTemplate);

    void SetShellNotifier(ShellNotifier notifier) { shellNotifier_ = std::move(notifier); }

    // Runs `method` on the GUI thread through kSynchronizeMessage and waits for it. False when the
    // window is gone and the call could not run. The window is findable by any program, so the
    // message runs only a call of this process that is still waiting; anything else is ignored.
    bool SendSynchronize(const std::function<void()>& method);

    // Menu command identifiers are 16 bits in WM_COMMAND; freed ones are given out again, so
    // menus rebuilt on every click never run out.
    uint16_t AllocateCommandId();
    void ReleaseCommandId(uint16_t id);

    // Frees the window now: tray icons leave the tray and are freed, menus are freed.
    void Destroy();

  private:
    LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void EndLoop();

    struct SyncCall;
    // The pending call with this ticket, taken off the list, or null.
    SyncCall* TakePendingCall(WPARAM ticket, LPARAM call);

    ScopedWindow window_;
    // Guards the synchronous calls' state, which worker threads share with the GUI thread.
    std::mutex syncGuard_;
    HWND syncTarget_ = nullptr; // cleared before the window is destroyed
    std::vector<SyncCall*> pendingCalls_;
    int callsInFlight_ = 0; // calls between their check of syncTarget_ and their return
    WPARAM nextTicket_ = 1;
    ScopedFont font_;
    DWORD guiThreadId_ = 0;
    UINT taskbarCreated_ = 0;
    bool terminated_ = false;
    UINT nextTrayId_ = 1;
    std::set<uint16_t> usedCommandIds_;
    std::vector<std::pair<HookId, std::function<bool(MSG&)>>> hooks_;
    HookId nextHookId_ = 1;
    ShellNotifier shellNotifier_;
    std::vector<std::unique_ptr<TrayIcon>> trayIcons_;
    std::vector<std::unique_ptr<PopupMenu>> menus_;
};

} // namespace korvane
