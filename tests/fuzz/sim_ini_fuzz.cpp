// Fuzz target: the simulation.ini reader and the simulated disks built from what it says.
#include "drives/sim/sim_disk.h"
#include "drives/sim/sim_ini.h"
#include "fuzz_check.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace korvane;

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const sim::SimIni ini = sim::SimIni::Parse(text);

    // Every "[name]" and "key=" the text holds is asked for, as written and in capitals.
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string line(text.substr(start, end - start));
        start = end + 1;
        const size_t open = line.find('[');
        const size_t close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close) {
            sections.push_back(line.substr(open + 1, close - open - 1));
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            keys.push_back(line.substr(0, equals));
        }
        if (sections.size() + keys.size() > 64) {
            break;
        }
    }
    sections.emplace_back("PhysicalDrive0");
    for (const std::string& section : sections) {
        const bool has = ini.HasSection(section);
        FUZZ_CHECK(ini.HasSection(Upper(section)) == has);
        for (const std::string& key : keys) {
            const auto value = ini.Value(section, key);
            FUZZ_CHECK(!value || has);
            FUZZ_CHECK(ini.Value(Upper(section), Upper(key)) == value);
        }
    }

    // The disks it describes: sector files are looked for in a folder that does not exist, so
    // every named sector is absent; every built one carries a valid checksum.
    const sim::SimConfig config =
        sim::ParseSimulation(std::string(text), "/nonexistent-korvane-fuzz/");
    for (int drive = 0; drive < sim::kSimDrives; ++drive) {
        const std::string section = "PhysicalDrive" + std::to_string(drive);
        FUZZ_CHECK(config.drives[drive].has_value() == ini.HasSection(section));
        if (!config.drives[drive]) {
            continue;
        }
        const sim::SimDisk& disk = *config.drives[drive];
        for (const auto* sector : {&disk.identify, &disk.attributes, &disk.thresholds}) {
            if (!sector->has_value()) {
                continue;
            }
            uint8_t sum = 0;
            for (uint8_t b : **sector) {
                sum = static_cast<uint8_t>(sum + b);
            }
            FUZZ_CHECK(sum == 0);
        }
        FUZZ_CHECK(disk.identify.has_value() ==
                   ini.Value(section, "IdentifySector").value_or("").empty());
    }
    return 0;
}
