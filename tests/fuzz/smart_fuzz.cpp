// Fuzz target: IDENTIFY, attribute and threshold sectors as a disk returns them, read by TSmart
// through the simulated driver's request checks.
#include "drives/sim/sim_driver.h"
#include "drives/smart.h"
#include "fake_os_version.h"
#include "fuzz_check.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace korvane;

// Input: drive/ATAPI/95-family byte, Fail byte, 32-bit capabilities, then up to three sectors
// (IDENTIFY, attribute values, thresholds); a sector cut short is a read error of the disk.
constexpr size_t kHeader = 6;

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/korvane-smart-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
        return pattern + "/";
    }();
    return folder;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

const uint8_t* SectorAt(const uint8_t* data, size_t size, int n, size_t& length) {
    const size_t from = kHeader + static_cast<size_t>(n) * kSectorSize;
    length = from < size ? std::min(kSectorSize, size - from) : 0;
    return data + std::min(from, size);
}

uint64_t Le48(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 5; i >= 0; --i) {
        v = v * 256 + p[i];
    }
    return v;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeader) {
        return 0;
    }
    const int drive = data[0] & 3;
    const bool atapi = (data[0] & 4) != 0;
    const bool family95 = (data[0] & 8) != 0;
    static constexpr const char* kSteps[] = {"open",   "version",    "identify",
                                             "enable", "attributes", "thresholds"};
    std::string fail;
    for (int i = 0; i < 6; ++i) {
        if (data[1] & (1 << i)) {
            fail += std::string(fail.empty() ? "" : ",") + kSteps[i];
        }
    }
    const uint32_t caps = data[2] | data[3] << 8 | data[4] << 16 | uint32_t{data[5]} << 24;

    const std::string& folder = Folder();
    static constexpr const char* kFiles[] = {"identify.bin", "attributes.bin", "thresholds.bin"};
    const uint8_t* sectors[3];
    size_t lengths[3];
    for (int n = 0; n < 3; ++n) {
        sectors[n] = SectorAt(data, size, n, lengths[n]);
        WriteFile(folder + kFiles[n], sectors[n], lengths[n]);
    }
    {
        std::ofstream ini(folder + "simulation.ini", std::ios::trunc);
        ini << "[PhysicalDrive" << drive << "]\nAtapi=" << (atapi ? 1 : 0)
            << "\nCapabilities=" << caps << "\nFail=" << fail
            << "\nIdentifySector=identify.bin\nSmartSector=attributes.bin\n"
               "ThresholdSector=thresholds.bin\n";
    }

    sim::SimulatedDriver driver(folder + "simulation.ini");
    const test::FixedOsVersion os(family95 ? kPlatformWin32Windows : kPlatformWin32Nt, 5);
    TSmart smart(static_cast<uint8_t>(drive), driver, os);
    smart.Refresh();

    // No handle outlives the read cycle, and none is closed twice.
    FUZZ_CHECK(driver.OpenHandles() == 0);
    FUZZ_CHECK(driver.BadCloses() == 0);
    // Each step of the S.M.A.R.T. path needs the one before it. The storage queries, which need
    // no rights, give the identity on their own, and with the failure-prediction data the
    // attribute values (no thresholds) without the enable.
    const bool storagePath =
        smart.ReadPath() != DiskReadPath::None && smart.ReadPath() != DiskReadPath::Smart;
    FUZZ_CHECK(!smart.VersionRead() || smart.Opened());
    FUZZ_CHECK(!smart.Identified() || smart.VersionRead() || storagePath || smart.Asleep());
    FUZZ_CHECK(!smart.SmartEnabled() || smart.Identified());
    FUZZ_CHECK(!smart.AttributesRead() || smart.SmartEnabled() ||
               smart.ReadPath() == DiskReadPath::PredictFailure);
    if (smart.Identified()) {
        FUZZ_CHECK(lengths[0] == kSectorSize);
        FUZZ_CHECK(smart.Model().size() <= kIdentifyModelLength);
        FUZZ_CHECK(smart.SerialNumber().size() <= kIdentifySerialLength);
        FUZZ_CHECK(smart.CapacityGB() >= 0.0);
    }

    const bool thresholdsRead = smart.AttributesRead() && smart.SmartEnabled() &&
                                lengths[2] == kSectorSize &&
                                fail.find("thresholds") == std::string::npos;
    for (int index = -1; index <= static_cast<int>(kAttributeEntries); ++index) {
        TSmartAttribute record;
        smart.GetAttribute(index, record);
        const bool inTable = index >= 0 && index < static_cast<int>(kAttributeEntries);
        if (!smart.AttributesRead() || !inTable) {
            FUZZ_CHECK(record == TSmartAttribute{});
            continue;
        }
        // The record is the disk's entry, byte for byte.
        const uint8_t* entry = sectors[1] + kAttributeTableOffset + index * kAttributeEntrySize;
        FUZZ_CHECK(record.Id == entry[0]);
        FUZZ_CHECK(record.Flags == (entry[1] | entry[2] << 8));
        FUZZ_CHECK(record.Value == entry[3] && record.Worst == entry[4]);
        FUZZ_CHECK(static_cast<uint64_t>(record.Raw) == Le48(entry + 5));
        FUZZ_CHECK(record.RawHex.size() == 12);
        FUZZ_CHECK(std::strtoull(record.RawHex.c_str(), nullptr, 16) == Le48(entry + 5));
        const uint8_t expected =
            thresholdsRead ? sectors[2][kAttributeTableOffset + index * kAttributeEntrySize + 1]
                           : 0;
        FUZZ_CHECK(record.Threshold == expected);

        // FindAttribute gives the first entry with the id.
        TSmartAttribute found;
        smart.FindAttribute(record.Id, found);
        if (record.Id == 0) {
            FUZZ_CHECK(found == TSmartAttribute{});
        } else {
            FUZZ_CHECK(found.Id == record.Id);
            int first = 0;
            while (sectors[1][kAttributeTableOffset + first * kAttributeEntrySize] != record.Id) {
                ++first;
            }
            TSmartAttribute firstRecord;
            smart.GetAttribute(first, firstRecord);
            FUZZ_CHECK(found == firstRecord);
        }
    }
    return 0;
}
