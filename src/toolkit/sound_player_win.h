// The sound player over the media control interface (MCI).
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/sound_player.h"
#include "toolkit/win32.h"

#include <mmsystem.h>

namespace korvane {

struct MciDeviceTraits {
    using Handle = MCIDEVICEID;
    static Handle Invalid() { return 0; }
    static bool IsValid(Handle h) { return h != 0; }
    static bool Close(Handle h) { return mciSendCommandA(h, MCI_CLOSE, MCI_WAIT, 0) == 0; }
};
using ScopedMciDevice = ScopedHandle<MciDeviceTraits>;

class SoundPlayer final : public ISoundPlayer {
  public:
    // Notifications of non-waiting commands go to `notifyWindow` (the application window).
    explicit SoundPlayer(HWND notifyWindow);

    void SetWait(bool wait) override { wait_ = wait; }
    bool Wait() const override { return wait_; }
    bool SetFileName(const std::string& path) override;
    std::string FileName() const override { return fileName_; }
    bool Stop() override;
    bool SeekToStart() override;
    bool SetTimeFormatMilliseconds() override;
    uint32_t Length() override;
    uint32_t Position() override;
    bool Play() override;
    bool PlayFor(uint32_t length) override;
    uint32_t LastError() const override { return lastError_; }

    MCIDEVICEID DeviceId() const { return device_.Get(); }

  private:
    DWORD ModeFlag() const { return wait_ ? MCI_WAIT : MCI_NOTIFY; }
    bool Send(UINT command, DWORD flags, void* params);
    bool ApplyTimeFormat();
    uint32_t Status(DWORD item);

    HWND notifyWindow_;
    ScopedMciDevice device_;
    std::string fileName_;
    bool wait_ = false;
    DWORD timeFormat_ = MCI_FORMAT_MILLISECONDS;
    DWORD lastError_ = 0;
};

} // namespace korvane
