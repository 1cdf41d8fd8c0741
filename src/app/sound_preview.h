// The disk pages' sound preview: one alarm sound file played once, without waiting.
#pragma once

#include <string>

namespace korvane {

class FileSystemPort;
class SoundPlayerPort;
class TLogger;

// True when playing `path` started. A missing file answers false without a word; a file the
// player refuses answers false with an error line in the debug log.
bool PreviewSound(SoundPlayerPort& player, FileSystemPort& files, TLogger& logger,
                  const std::string& path);

} // namespace korvane
