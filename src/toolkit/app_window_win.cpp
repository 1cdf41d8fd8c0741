// The hidden application window and the GUI thread's message loop.
#include "toolkit/app_window_win.h"

#include "toolkit/popup_menu_win.h"
#include "toolkit/tray_icon_win.h"

#include <shellapi.h>

namespace korvane {

struct AppWindow::SyncCall {
    const std::function<void()>* method;
    WPARAM ticket;
    bool ran = false;
};

namespace {
// How long destroying the window serves calls still on their way before it goes anyway.
constexpr DWORD kDrainLimitMs = 5000;
} // namespace

AppWindow::AppWindow(const AppWindowArgs& args) : guiThreadId_(GetCurrentThreadId()) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure();
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, args.iconName.c_str());
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = args.className.c_str();
    RegisterClassExA(&wc); // already registered by an earlier window of this process: fine

    // The window doubles as the settings window's task-bar entry, hence caption and system menu.
    window_.Reset(
        CreateWindowExA(0, args.className.c_str(), args.caption.c_str(),
                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                        0, 0, nullptr, nullptr, instance, BindParam()));
    font_.Reset(CreateFontA(-args.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
    if (window_ && font_)
        SendMessageA(window_.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    {
        std::lock_guard<std::mutex> lock(syncGuard_);
        syncTarget_ = window_.Get();
    }
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    shellNotifier_ = [](DWORD message, NOTIFYICONDATAA& data) {
        return Shell_NotifyIconA(message, &data) != FALSE;
    };
}

AppWindow::~AppWindow() {
    Destroy();
}

void AppWindow::Destroy() {
    {
        std::lock_guard<std::mutex> lock(syncGuard_);
        syncTarget_ = nullptr; // workers calling in from now on are refused
    }
    // A call that read the handle before may still be on its way: it is served before the window
    // goes, so that no worker sends to a destroyed (or reused) handle.
    if (window_ && GetCurrentThreadId() == guiThreadId_) {
        const DWORD start = GetTickCount();
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(syncGuard_);
                if (callsInFlight_ == 0)
                    break;
            }
            if (GetTickCount() - start > kDrainLimitMs)
                break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    window_.Reset(); // WM_DESTROY takes the active icons out of the tray
    trayIcons_.clear();
    menus_.clear();
}

bool AppWindow::ProcessOneMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        EndLoop();
        return true;
    }
    // Newest hook first; copies, because a hook may add or remove hooks.
    auto hooks = hooks_;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (it->second(msg))
            return true;
    }
    // System commands to the application window meet the filter in the window procedure, where
    // the sent ones (the usual kind) arrive as well.
    const bool ownSysCommand = msg.message == WM_SYSCOMMAND && msg.hwnd == Handle() && Handle();
    if (!ownSysCommand && MessageFilter && MessageFilter(msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void AppWindow::ProcessMessages() {
    while (ProcessOneMessage()) {
    }
}

void AppWindow::Run() {
    while (!terminated_) {
        WaitMessage();
        while (!terminated_ && ProcessOneMessage()) {
        }
    }
    Destroy();
}

void AppWindow::EndLoop() {
    terminated_ = true;
    for (auto& icon : trayIcons_)
        icon->LoopEnded();
}

AppWindow::HookId AppWindow::AddMessageHook(std::function<bool(MSG&)> hook) {
    hooks_.emplace_back(nextHookId_, std::move(hook));
    return nextHookId_++;
}

void AppWindow::RemoveMessageHook(HookId id) {
    std::erase_if(hooks_, [id](const auto& entry) { return entry.first == id; });
}

TrayIcon& AppWindow::CreateTrayIcon(OwnedIcon icon) {
    // The notifier is looked up at each call so that a test may replace it later.
    auto notify = [this](DWORD message, NOTIFYICONDATAA& data) {
        return shellNotifier_(message, data);
    };
    trayIcons_.push_back(
        std::make_unique<TrayIcon>(Handle(), nextTrayId_++, std::move(icon), notify));
    if (terminated_)
        trayIcons_.back()->LoopEnded();
    return *trayIcons_.back();
}

PopupMenu& AppWindow::CreatePopupMenu(const std::vector<std::string>& itemTemplate) {
    menus_.push_back(std::make_unique<PopupMenu>(*this, itemTemplate));
    return *menus_.back();
}

bool AppWindow::SendSynchronize(const std::function<void()>& method) {
    if (GetCurrentThreadId() == guiThreadId_) {
        method();
        return true;
    }
    SyncCall call{&method, 0};
    HWND hwnd = nullptr;
    {
        std::lock_guard<std::mutex> lock(syncGuard_);
        if (!syncTarget_)
            return false;
        hwnd = syncTarget_;
        call.ticket = nextTicket_++;
        pendingCalls_.push_back(&call);
        ++callsInFlight_;
    }
    SendMessageA(hwnd, kSynchronizeMessage, call.ticket, reinterpret_cast<LPARAM>(&call));
    std::lock_guard<std::mutex> lock(syncGuard_);
    std::erase(pendingCalls_, &call); // still there when the message never ran
    --callsInFlight_;
    return call.ran;
}

AppWindow::SyncCall* AppWindow::TakePendingCall(WPARAM ticket, LPARAM call) {
    std::lock_guard<std::mutex> lock(syncGuard_);
    for (auto it = pendingCalls_.begin(); it != pendingCalls_.end(); ++it) {
        if (reinterpret_cast<LPARAM>(*it) == call && (*it)->ticket == ticket) {
            SyncCall* found = *it;
            pendingCalls_.erase(it); // a call runs once, however often the message comes
            return found;
        }
    }
    return nullptr;
}

uint16_t AppWindow::AllocateCommandId() {
    uint16_t id = 1;
    for (uint16_t used : usedCommandIds_) {
        if (used != id)
            break;
        ++id;
    }
    usedCommandIds_.insert(id);
    return id;
}

void AppWindow::ReleaseCommandId(uint16_t id) {
    usedCommandIds_.erase(id);
}

LRESULT AppWindow::HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kSynchronizeMessage: {
        // Only pointers this process handed out and that are still waiting are ever followed.
        SyncCall* call = TakePendingCall(wParam, lParam);
        if (call) {
            (*call->method)();
            call->ran = true;
        }
        return 0;
    }
    case kTrayCallbackMessage:
        for (auto& icon : trayIcons_) {
            if (icon->Id() == static_cast<UINT>(wParam)) {
                icon->HandleCallback(static_cast<uint32_t>(lParam & 0xFFFF));
                break;
            }
        }
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {
            const auto id = static_cast<uint16_t>(LOWORD(wParam));
            for (auto& menu : menus_) {
                if (menu->HandleCommand(id))
                    return 0;
            }
        }
        break;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_.Get());
    case WM_SYSCOMMAND:
        if (MessageFilter) {
            MSG msgCopy{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
            if (MessageFilter(msgCopy))
                return 0;
        }
        break;
    case WM_CLOSE:
        // Closing never destroys the window here: it ends the loop, and Run frees the window.
        for (auto& icon : trayIcons_)
            icon->SetActive(false);
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        for (auto& icon : trayIcons_)
            icon->OwnerDestroyed();
        return 0;
    default:
        if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
            // The shell restarted and lost every icon; the message is left to others too.
            for (auto& icon : trayIcons_)
                icon->ReAdd();
        }
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace korvane
