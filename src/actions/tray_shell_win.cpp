// Balloon requests to the shell and the top-most message box.
#include "actions/tray_shell_win.h"

#include <cstring>

namespace korvane {
namespace {

// Copies at most field size - 1 characters and always terminates.
template <size_t N> void CopyField(char (&field)[N], const std::string& text) {
    const size_t length = text.size() < N - 1 ? text.size() : N - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

class Win32TrayShell final : public TrayShellPort {
  public:
    explicit Win32TrayShell(HWND owner) : owner_(owner) {}

    void ModifyBalloon(const BalloonRequest& request) override;
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t style) override;

  private:
    HWND owner_;
};

} // namespace

static_assert(sizeof(void*) != 4 || kBalloonRecordSize == 488);
static_assert(sizeof(NOTIFYICONDATAA{}.szInfo) == kBalloonTextMax + 1);
static_assert(sizeof(NOTIFYICONDATAA{}.szInfoTitle) == kBalloonTitleMax + 1);

void FillBalloonRecord(const BalloonRequest& request, NOTIFYICONDATAA& record) {
    std::memset(&record, 0, sizeof(record));
    record.cbSize = kBalloonRecordSize;
    record.hWnd = reinterpret_cast<HWND>(request.icon.window);
    record.uID = request.icon.id;
    record.uFlags = NIF_INFO;
    record.hIcon = reinterpret_cast<HICON>(~uintptr_t{0});
    CopyField(record.szInfo, request.text);
    CopyField(record.szInfoTitle, request.title);
    record.uTimeout = request.timeoutMs;
    record.dwInfoFlags = request.infoFlags;
}

void Win32TrayShell::ModifyBalloon(const BalloonRequest& request) {
    NOTIFYICONDATAA record;
    FillBalloonRecord(request, record);
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

int32_t Win32TrayShell::ShowMessageBox(const std::string& text, const std::string& caption,
                                       uint32_t style) {
    return MessageBoxA(owner_, text.c_str(), caption.c_str(), style);
}

std::unique_ptr<TrayShellPort> CreateWin32TrayShell(HWND owner) {
    return std::make_unique<Win32TrayShell>(owner);
}

} // namespace korvane
