// The disk pages' sound preview.
#include "app/sound_preview.h"

#include "log/logger.h"
#include "toolkit/files.h"
#include "toolkit/sound_player.h"

namespace korvane {

bool PreviewSound(SoundPlayerPort& player, FileSystemPort& files, TLogger& logger,
                  const std::string& path) {
    if (!files.FileExists(path))
        return false;
    bool started = false;
    try {
        // A preview that is still playing gives way to the new one.
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
