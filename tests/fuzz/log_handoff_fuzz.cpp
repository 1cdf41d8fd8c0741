// Fuzz target: the worker's log hand-off, taken apart on the GUI thread and written by the logger.
#include "actions/executor.h"
#include "fake_clock.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "fuzz_check.h"
#include "log/log_format.h"
#include "log/logger.h"
#include "memory_file_system.h"
#include "settings/keys.h"
#include "settings/location/data_folder.h"
#include "settings/options.h"

#include <string>

namespace {

using namespace korvane;

const std::string kData = "C:\\data\\";

struct Rig {
    test::FakeProfile profile;
    test::FakeRegistry registry;
    test::MemoryFileSystem files;
    test::FixedClock clock{LocalTime{2026, 12, 8, 6, 30, 5, 0}};
    TOptions options{OptionsDeps{profile, registry, files, "C:\\p\\K.exe", "C:\\p\\"},
                     kData + "Korvn.ini"};
    TLogger logger{files, clock, options, kData};
    Rig() { options.General().WriteBool(key::LogEnabled.name, true); }
};

// What one hand-off must leave behind: exactly one line in exactly one file, or nothing.
void CheckWritten(Rig& rig, char code, const std::string& fileName, const std::string& message) {
    const auto& files = rig.files.files;
    switch (code) {
    case kHandoffTemperatureNotice:
    case kHandoffTemperatureError:
        FUZZ_CHECK(files.size() == 1);
        FUZZ_CHECK(files.begin()->first == kData + "logs\\" + SafeFileName(fileName));
        FUZZ_CHECK(files.begin()->second == TemperatureLogLine(rig.clock.now, message) + "\r\n");
        break;
    case kHandoffDebugNotice:
    case kHandoffDebugError:
        FUZZ_CHECK(files.size() == 1);
        FUZZ_CHECK(files.begin()->first == kData + kDebugLogName);
        FUZZ_CHECK(
            files.begin()->second ==
            DebugLogLine(rig.clock.now, code == kHandoffDebugNotice ? kNotice : kError, message) +
                "\r\n");
        break;
    default:
        FUZZ_CHECK(files.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Rig rig;
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Any text: at most one line, never outside the data folder.
    rig.files.files.clear();
    WriteLogHandoff(rig.logger, text);
    FUZZ_CHECK(rig.files.files.size() <= 1);
    for (const auto& [path, contents] : rig.files.files) {
        FUZZ_CHECK(path.starts_with(kData));
        FUZZ_CHECK(contents.ends_with("\r\n"));
    }

    // A hand-off made by the worker arrives as it was made: the input is split into a log file
    // name as the drive monitor names them ("... .log") and a message, both free text.
    if (size < 2) {
        return 0;
    }
    const bool debugLog = (data[0] & 1) != 0;
    const int32_t level = (data[0] >> 1) % 3;
    const std::string rest = text.substr(1);
    const size_t cut = rest.find('\n');
    const std::string fileName =
        (cut == std::string::npos ? rest : rest.substr(0, cut)) + " (80.0 GB).log";
    const std::string message = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    if (fileName.find(".log;") != std::string::npos) {
        return 0; // a model that itself holds ".log;" cannot be told from the message
    }
    rig.files.files.clear();
    const std::string handoff = MakeLogHandoff(debugLog, level, fileName, message);
    WriteLogHandoff(rig.logger, handoff);
    CheckWritten(rig, handoff[0], fileName, message);
    return 0;
}
