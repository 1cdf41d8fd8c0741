// The sound player over the media control interface (MCI).
#include "toolkit/sound_player_win.h"

#include "toolkit/system_library_win.h"

namespace korvane {

namespace {
// MCI reports "no device" itself for commands without one; this keeps the code path uniform.
constexpr DWORD kNoDevice = MCIERR_INVALID_DEVICE_ID;
} // namespace

MciLibrary::MciLibrary() : library_(LoadSystemLibrary("winmm.dll")) {
    if (library_)
        send_ = reinterpret_cast<decltype(&mciSendCommandA)>(
            reinterpret_cast<void*>(GetProcAddress(library_.Get(), "mciSendCommandA")));
}

MCIERROR MciLibrary::Send(MCIDEVICEID device, UINT command, DWORD_PTR flags,
                          DWORD_PTR params) const {
    return send_ ? send_(device, command, flags, params) : MCIERR_DEVICE_NOT_INSTALLED;
}

SoundPlayer::SoundPlayer(HWND notifyWindow) : notifyWindow_(notifyWindow) {}

bool SoundPlayer::Send(UINT command, DWORD flags, void* params) {
    if (!device_) {
        lastError_ = kNoDevice;
        return false;
    }
    // Every parameter block of MCI starts with the callback window.
    if (params)
        static_cast<MCI_GENERIC_PARMS*>(params)->dwCallback =
            reinterpret_cast<DWORD_PTR>(notifyWindow_);
    lastError_ = mci_.Send(device_.Get().id, command, flags | ModeFlag(),
                           reinterpret_cast<DWORD_PTR>(params));
    return lastError_ == 0;
}

bool SoundPlayer::SetFileName(const std::string& path) {
    if (path != fileName_) {
        device_.Reset();
        fileName_ = path;
    }
    if (fileName_.empty() || device_)
        return static_cast<bool>(device_);
    MCI_OPEN_PARMSA open{};
    open.dwCallback = reinterpret_cast<DWORD_PTR>(notifyWindow_);
    open.lpstrElementName = fileName_.c_str();
    // Shareable first, so that another program's use of the device does not stop ours.
    lastError_ = mci_.Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE | MCI_WAIT,
                           reinterpret_cast<DWORD_PTR>(&open));
    if (lastError_ != 0) {
        open = MCI_OPEN_PARMSA{};
        open.lpstrElementName = fileName_.c_str();
        lastError_ =
            mci_.Send(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
    }
    if (lastError_ != 0)
        return false;
    device_.Reset(MciDevice{&mci_, open.wDeviceID});
    ApplyTimeFormat();
    return true;
}

bool SoundPlayer::ApplyTimeFormat() {
    MCI_SET_PARMS set{};
    set.dwTimeFormat = timeFormat_;
    return Send(MCI_SET, MCI_SET_TIME_FORMAT, &set);
}

bool SoundPlayer::Stop() {
    MCI_GENERIC_PARMS params{};
    return Send(MCI_STOP, 0, &params);
}

bool SoundPlayer::Pause() {
    MCI_GENERIC_PARMS params{};
    return Send(MCI_PAUSE, 0, &params);
}

bool SoundPlayer::SeekToStart() {
    MCI_SEEK_PARMS params{};
    return Send(MCI_SEEK, MCI_SEEK_TO_START, &params);
}

bool SoundPlayer::SetTimeFormatMilliseconds() {
    timeFormat_ = MCI_FORMAT_MILLISECONDS;
    return ApplyTimeFormat();
}

uint32_t SoundPlayer::Status(DWORD item) {
    MCI_STATUS_PARMS params{};
    params.dwItem = item;
    // A status query answers at once; a notification for it would be noise.
    if (!device_) {
        lastError_ = kNoDevice;
        return 0;
    }
    lastError_ = mci_.Send(device_.Get().id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                           reinterpret_cast<DWORD_PTR>(&params));
    return lastError_ == 0 ? static_cast<uint32_t>(params.dwReturn) : 0;
}

uint32_t SoundPlayer::Length() {
    return Status(MCI_STATUS_LENGTH);
}

uint32_t SoundPlayer::Position() {
    return Status(MCI_STATUS_POSITION);
}

bool SoundPlayer::Play() {
    MCI_PLAY_PARMS params{};
    return Send(MCI_PLAY, 0, &params);
}

bool SoundPlayer::PlayFor(uint32_t length) {
    const uint32_t from = Position();
    MCI_PLAY_PARMS params{};
    params.dwTo = from + length;
    return Send(MCI_PLAY, MCI_TO, &params);
}

} // namespace korvane
