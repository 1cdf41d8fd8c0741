// Building simulated disks from simulation.ini: IDENTIFY and S.M.A.R.T. sectors, Fail lists.
#include "drives/sim/sim_disk.h"

#include "drives/sim/sim_ini.h"
#include "toolkit/text.h"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace korvane::sim {

namespace {

// The demo set that the sim build shows when no simulation.ini sits beside it.
constexpr const char* kDemoIni = "[PhysicalDrive0]\n"
                                 "Model=KORVANE SIM-80 ATA\n"
                                 "Serial=KVS0080A1234\n"
                                 "Sectors=156301488\n"
                                 "Temperature=36\n"
                                 "[PhysicalDrive1]\n"
                                 "Model=Simulated Barracuda 250\n"
                                 "Serial=SB250X0042\n"
                                 "Sectors=268435455\n"
                                 "Temperature=44\n"
                                 "[PhysicalDrive2]\n"
                                 "Model=SIMDISK Travelstar 40\n"
                                 "Serial=TS40-77031\n"
                                 "Sectors=78140160\n"
                                 "Temperature=31\n"
                                 // Warms through warning into critical in about two and a
                                 // half minutes, then cools again: the alarms at work.
                                 "[PhysicalDrive3]\n"
                                 "Model=DEMO WARMING DISK 120\n"
                                 "Serial=WRM120-0451\n"
                                 "Sectors=234441648\n"
                                 "Ramp=46,63,7\n";

constexpr uint32_t kDefaultSectors = 156301488;
constexpr uint32_t kLba28Limit = 0x0FFFFFFF; // a bigger disk reports this in words 60-61

struct SynthAttribute {
    uint8_t id;
    uint16_t flags;
    uint8_t value;
    uint8_t worst;
    uint32_t raw;
    uint8_t threshold;
};

constexpr SynthAttribute kSynthAttributes[] = {
    {1, 0x000F, 100, 100, 0, 6},   {3, 0x0003, 97, 96, 0, 0},    {4, 0x0032, 100, 100, 1187, 20},
    {5, 0x0033, 100, 100, 0, 36},  {9, 0x0032, 92, 92, 7342, 0}, {12, 0x0032, 100, 100, 1179, 20},
    {199, 0x003E, 200, 200, 0, 0},
};

uint8_t* Entry(Sector& sector, size_t index) {
    return sector.data() + kAttributeTableOffset + index * kAttributeEntrySize;
}

uint8_t ThresholdFor(uint8_t id) {
    for (const SynthAttribute& a : kSynthAttributes) {
        if (a.id == id) {
            return a.threshold;
        }
    }
    return 0;
}

bool ChecksumValid(const Sector& sector) {
    uint8_t sum = 0;
    for (uint8_t b : sector) {
        sum = static_cast<uint8_t>(sum + b);
    }
    return sum == 0;
}

// ATA strings: blank-padded to the field, two characters per word, high byte first.
void PutAtaString(Sector& sector, size_t offset, size_t length, const std::string& text) {
    for (size_t i = 0; i < length; ++i) {
        sector[offset + (i ^ 1)] = static_cast<uint8_t>(i < text.size() ? text[i] : ' ');
    }
}

void PutWord(Sector& sector, size_t word, uint16_t value) {
    WriteLe16(sector.data() + word * 2, value);
}

template <typename T> std::optional<T> ParseNumber(const std::string& text) {
    T value{};
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        first += 2;
        base = 16;
    }
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || first == last) {
        return std::nullopt;
    }
    return value;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
    return text;
}

bool IsAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
           (path.size() >= 2 && path[1] == ':');
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A sector file: its first 512 bytes; nothing when it is missing or shorter.
std::optional<Sector> ReadSectorFile(const std::string& folder, const std::string& name) {
    const std::string path = IsAbsolute(name) ? name : folder + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    Sector sector{};
    in.read(reinterpret_cast<char*>(sector.data()), kSectorSize);
    if (in.gcount() != static_cast<std::streamsize>(kSectorSize)) {
        return std::nullopt;
    }
    return sector;
}

uint32_t ParseFailSteps(const std::string& list) {
    static constexpr std::pair<const char*, SimStep> kNames[] = {
        {"open", kStepOpen},     {"version", kStepVersion},       {"identify", kStepIdentify},
        {"enable", kStepEnable}, {"attributes", kStepAttributes}, {"thresholds", kStepThresholds},
    };
    uint32_t steps = 0;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) {
            comma = list.size();
        }
        const std::string word = Lower(Trim(list.substr(start, comma - start)));
        for (const auto& [name, step] : kNames) {
            if (word == name) {
                steps |= step;
            }
        }
        start = comma + 1;
    }
    return steps;
}

uint32_t ParseBus(const std::string& text) {
    static constexpr std::pair<const char*, uint32_t> kBuses[] = {
        {"ata", kBusTypeAta}, {"sata", kBusTypeSata}, {"nvme", kBusTypeNvme}, {"usb", kBusTypeUsb}};
    const std::string word = Lower(Trim(text));
    for (const auto& [name, bus] : kBuses) {
        if (word == name) {
            return bus;
        }
    }
    return kBusTypeAta;
}

std::optional<bool> ParseFlag(const std::string& text) {
    const std::optional<int64_t> value = ParseNumber<int64_t>(text);
    if (!value) {
        return std::nullopt;
    }
    return *value != 0;
}

// An ATA text field as IDENTIFY holds it: pairs swapped back, trimmed.
std::string AtaString(const Sector& sector, size_t offset, size_t length) {
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char>(sector[offset + (i ^ 1)]);
    }
    return Trim(text);
}

// The disk's size as the disk driver reports it: the 48-bit count when IDENTIFY announces one.
uint64_t IdentifySectors(const Sector& sector) {
    const uint16_t commandSet2 = ReadLe16(sector.data() + kIdentifyCommandSet2);
    const uint64_t sectors48 = ReadLe64(sector.data() + kIdentifySectors48) & 0xFFFFFFFFFFFFull;
    if ((commandSet2 & 0xC000) == 0x4000 && (commandSet2 & 0x0400) != 0 && sectors48 > 0) {
        return sectors48;
    }
    return ReadLe32(sector.data() + kIdentifySectors);
}

// What a disk reports of its own attribute 194: its lowest raw byte, when that is above 0.
std::optional<int32_t> Attribute194(const Sector& attributes) {
    const std::optional<int32_t> raw =
        AttributeTableTemperature(attributes.data() + kAttributeTableOffset);
    return raw && *raw > 0 ? raw : std::nullopt;
}

SimDisk ReadDisk(const SimIni& ini, const std::string& section, const std::string& folder) {
    auto text = [&](const char* key) { return ini.Value(section, key).value_or(""); };
    SimDisk disk;
    disk.atapi = ParseNumber<int64_t>(text("Atapi")).value_or(0) != 0;
    disk.capabilities = ParseNumber<uint32_t>(text("Capabilities")).value_or(disk.capabilities);
    disk.failSteps = ParseFailSteps(text("Fail"));
    disk.busType = ParseBus(text("Bus"));

    const uint64_t sectors = ParseNumber<uint64_t>(text("Sectors")).value_or(kDefaultSectors);
    const std::optional<uint64_t> sectors48 = ParseNumber<uint64_t>(text("Sectors48"));
    if (const std::string file = text("IdentifySector"); !file.empty()) {
        disk.identify = ReadSectorFile(folder, file);
    } else {
        disk.identify =
            SynthesizeIdentify(text("Model"), text("Serial"),
                               static_cast<uint32_t>(std::min<uint64_t>(sectors, kLba28Limit)),
                               disk.atapi, sectors48.value_or(0));
    }
    if (disk.SpeaksSmart() && disk.identify) {
        // The port driver builds the descriptor from IDENTIFY.
        disk.product = AtaString(*disk.identify, kIdentifyModel, kIdentifyModelLength);
        disk.serial = AtaString(*disk.identify, kIdentifySerial, kIdentifySerialLength);
        disk.sectors = IdentifySectors(*disk.identify);
    } else {
        disk.product = Trim(text("Model"));
        disk.serial = Trim(text("Serial"));
        disk.sectors = sectors48.value_or(sectors);
    }
    const std::optional<std::string> vendor = ini.Value(section, "Vendor");
    disk.vendor = vendor ? *vendor
                         : (disk.SpeaksSmart()             ? "ATA"
                            : disk.busType == kBusTypeNvme ? "NVMe"
                                                           : "");
    disk.temperatureProperty =
        ParseFlag(text("TemperatureProperty")).value_or(disk.busType != kBusTypeUsb);
    disk.predictFailure = ParseFlag(text("PredictFailure")).value_or(true);
    disk.bytesPerSector =
        ParseNumber<uint32_t>(text("BytesPerSector")).value_or(disk.bytesPerSector);
    disk.sleeping = ParseFlag(text("Sleeping")).value_or(false);
    disk.elevated = ParseFlag(text("Elevated"));

    if (const std::string file = text("SmartSector"); !file.empty()) {
        disk.attributes = ReadSectorFile(folder, file);
    } else {
        disk.attributes = SynthesizeAttributes();
    }
    const std::optional<int32_t> temperature = ParseNumber<int32_t>(text("Temperature"));
    if (disk.attributes && temperature) {
        ApplyTemperature(*disk.attributes, *temperature);
    }
    disk.ramp = ParseRamp(text("Ramp"));
    // The drivers ask the disk itself: what its attribute 194 says.
    disk.temperature = disk.attributes ? Attribute194(*disk.attributes) : temperature;
    if (disk.busType == kBusTypeNvme) {
        if (const std::string file = text("NvmeLogSector"); !file.empty()) {
            disk.nvmeLog = ReadSectorFile(folder, file);
        } else {
            const int64_t kelvin = int64_t{temperature.value_or(-kKelvinOffset)} + kKelvinOffset;
            disk.nvmeLog = SynthesizeNvmeHealthLog(
                static_cast<uint16_t>(std::clamp<int64_t>(kelvin, 0, 0xFFFF)));
        }
        // The controller's own sensor is what every request reports.
        disk.temperature.reset();
        if (disk.nvmeLog) {
            disk.temperature =
                int32_t{ReadLe16(disk.nvmeLog->data() + kNvmeHealthTemperature)} - kKelvinOffset;
        }
    }

    if (const std::string file = text("ThresholdSector"); !file.empty()) {
        disk.thresholds = ReadSectorFile(folder, file);
    } else if (disk.attributes) {
        disk.thresholds = SynthesizeThresholds(*disk.attributes);
    } else {
        disk.thresholds = SynthesizeThresholds(SynthesizeAttributes());
    }
    return disk;
}

} // namespace

void SealChecksum(Sector& sector) {
    sector[kSectorSize - 1] = 0;
    uint8_t sum = 0;
    for (uint8_t b : sector) {
        sum = static_cast<uint8_t>(sum + b);
    }
    sector[kSectorSize - 1] = static_cast<uint8_t>(-sum);
}

Sector SynthesizeIdentify(const std::string& model, const std::string& serial, uint32_t sectors,
                          bool atapi, uint64_t sectors48) {
    Sector sector{};
    PutWord(sector, 0, atapi ? 0x85C0 : 0x0040); // packet CD-ROM device, or fixed ATA disk
    PutAtaString(sector, kIdentifySerial, kIdentifySerialLength, serial);
    PutAtaString(sector, 46, 8, "SIM 1.0"); // firmware revision, words 23-26
    PutAtaString(sector, kIdentifyModel, kIdentifyModelLength, model);
    PutWord(sector, 49, 0x0200); // LBA supported
    PutWord(sector, 60, static_cast<uint16_t>(sectors));
    PutWord(sector, 61, static_cast<uint16_t>(sectors >> 16));
    PutWord(sector, 82, atapi ? 0x0000 : 0x0001); // SMART feature set supported
    if (sectors48 > 0) {
        PutWord(sector, 83, 0x4400); // word valid, 48-bit addressing supported
        for (size_t word = 0; word < 4; ++word) {
            PutWord(sector, 100 + word, static_cast<uint16_t>(sectors48 >> (16 * word)));
        }
    }
    PutWord(sector, 85, atapi ? 0x0000 : 0x0001); // ... and enabled
    sector[510] = 0xA5;                           // integrity word signature
    SealChecksum(sector);
    return sector;
}

Sector SynthesizeNvmeHealthLog(uint16_t kelvin) {
    Sector log{};
    WriteLe16(log.data() + kNvmeHealthTemperature, kelvin);
    log[3] = 100; // available spare, percent
    log[4] = 10;  // available spare threshold
    return log;
}

Sector SynthesizeAttributes() {
    Sector sector{};
    sector[0] = 0x10; // data structure revision
    size_t index = 0;
    for (const SynthAttribute& a : kSynthAttributes) {
        uint8_t* entry = Entry(sector, index++);
        entry[0] = a.id;
        WriteLe16(entry + 1, a.flags);
        entry[3] = a.value;
        entry[4] = a.worst;
        WriteLe32(entry + 5, a.raw);
    }
    SealChecksum(sector);
    return sector;
}

Sector SynthesizeThresholds(const Sector& attributes) {
    Sector sector{};
    sector[0] = 0x10;
    Sector source = attributes;
    for (size_t index = 0; index < kAttributeEntries; ++index) {
        const uint8_t id = Entry(source, index)[0];
        if (id != 0) {
            Entry(sector, index)[0] = id;
            Entry(sector, index)[1] = ThresholdFor(id);
        }
    }
    SealChecksum(sector);
    return sector;
}

void ApplyTemperature(Sector& attributes, int32_t temperature) {
    const bool sealed = ChecksumValid(attributes);
    uint8_t* target = nullptr;
    for (size_t index = 0; index < kAttributeEntries && target == nullptr; ++index) {
        if (Entry(attributes, index)[0] == kTemperatureAttributeId) {
            target = Entry(attributes, index);
        }
    }
    for (size_t index = 0; index < kAttributeEntries && target == nullptr; ++index) {
        uint8_t* entry = Entry(attributes, index);
        if (entry[0] == 0) {
            std::fill(entry, entry + kAttributeEntrySize, uint8_t{0});
            entry[0] = kTemperatureAttributeId;
            entry[1] = 0x22; // always updated, advisory
            entry[3] = 100;
            entry[4] = 100;
            target = entry;
        }
    }
    if (target == nullptr) {
        return;
    }
    target[5] = static_cast<uint8_t>(temperature & 0xFF);
    if (sealed) {
        SealChecksum(attributes);
    }
}

SimConfig ParseSimulation(const std::string& iniText, const std::string& folder) {
    const SimIni ini = SimIni::Parse(iniText);
    SimConfig config;
    config.elevated = ParseFlag(ini.Value("Sim", "Elevated").value_or("")).value_or(true);
    if (const std::string log = Trim(ini.Value("Sim", "RequestLog").value_or("")); !log.empty()) {
        config.requestLog = IsAbsolute(log) ? log : folder + log;
    }
    for (int drive = 0; drive < kSimDrives; ++drive) {
        const std::string section = "PhysicalDrive" + IntToStr(drive);
        if (ini.HasSection(section)) {
            config.drives[drive] = ReadDisk(ini, section, folder);
        }
    }
    return config;
}

SimConfig LoadSimulation(const std::string& iniPath) {
    std::ifstream in(iniPath, std::ios::binary);
    if (!in) {
        return DemoSimulation();
    }
    constexpr size_t kMaxIniBytes = 1 << 20; // a runaway file is not read whole
    std::string text(kMaxIniBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(kMaxIniBytes));
    text.resize(static_cast<size_t>(in.gcount()));
    return ParseSimulation(text, FolderPart(iniPath));
}

SimConfig DemoSimulation() {
    return ParseSimulation(kDemoIni, std::string());
}

} // namespace korvane::sim
