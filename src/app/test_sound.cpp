// The settings window's sound test.
#include "app/test_sound.h"

#include "log/logger.h"
#include "toolkit/files.h"
#include "toolkit/sound_player.h"

namespace korvane {

bool PlayTestSound(SoundPlayerPort& player, FileSystem& files, TLogger& logger,
                   const std::string& path) {
    if (!files.FileExists(path))
        return false;
    bool started = false;
    try {
        // A test that is still playing gives way to the new one.
        player.Stop();
        player.SetWait(false);
        player.SetFileName(path);
        player.SeekToStart();
        started = player.Play();
    } catch (...) {
        started = false;
    }
    if (!started)
        logger.Log(kDebugLog, "", "Play sound failed: \"" + path + "\"", kError);
    return started;
}

} // namespace korvane
