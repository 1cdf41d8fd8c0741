// TSmart: one physical drive's S.M.A.R.T. identity and attribute data, read by device I/O.
#pragma once

#include "drives/device_io.h"
#include "drives/disk_rights.h"
#include "drives/smart_wire.h"
#include "drives/storage_query.h"
#include "toolkit/os_version.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane {

// One attribute record; all fields zero stands for an attribute that is not there.
struct TSmartAttribute {
    uint8_t Id = 0;
    std::string Name;
    uint16_t Flags = 0;
    uint8_t Value = 0;
    uint8_t Worst = 0;
    std::string RawHex;
    int64_t Raw = 0;
    uint8_t Threshold = 0;

    bool operator==(const TSmartAttribute&) const = default;
};

// The identify commands a driver says it can pass on (fCapabilities bits 0 and 1).
struct SmartCapabilities {
    bool ataIdentify = false;
    bool atapiIdentify = false;
};

class TSmart {
  public:
    // Reads the OS version once; opens nothing. The rights are shared by the disks of one
    // process: after one refused read/write open no disk asks for one again.
    TSmart(uint8_t driveNumber, DeviceIoPort& io, const OsVersionPort& os, DiskRights& rights);
    // A disk on its own, keeping what it learns of the rights to itself.
    TSmart(uint8_t driveNumber, DeviceIoPort& io, const OsVersionPort& os);
    TSmart(const TSmart&) = delete;
    TSmart& operator=(const TSmart&) = delete;

    // One read cycle: open, version, IDENTIFY, SMART enable, attribute values and thresholds,
    // close; then, for a disk left without a temperature, the storage queries. A disk found
    // spun down is sent nothing that would wake it and keeps everything of its last reading.
    // The outcome is in the flags; no handle stays open afterwards.
    void Refresh();

    uint8_t DriveNumber() const { return driveNumber_; }
    bool Opened() const { return opened_; }
    bool VersionRead() const { return versionRead_; }
    bool Identified() const { return identified_; }
    bool SmartEnabled() const { return smartEnabled_; }
    bool AttributesRead() const { return attributesRead_; }
    SmartCapabilities Capabilities() const { return capabilities_; }
    const std::string& Model() const { return model_; }
    const std::string& SerialNumber() const { return serialNumber_; }
    double CapacityGB() const { return capacityGB_; }
    // The whole disk: the 48-bit sector count when the disk has one.
    double RealCapacityGB() const { return realCapacityGB_; }
    // The temperature of the last reading, -1 when it gave none.
    int32_t Temperature() const { return temperature_; }
    DiskReadPath ReadPath() const { return readPath_; }
    // The last refresh found the disk spun down.
    bool Asleep() const { return asleep_; }

    // The record of table entry index (0..29); all zero when there is none to give.
    void GetAttribute(int index, TSmartAttribute& record) const;
    // The first record with this id (not 0); all zero when none matches.
    void FindAttribute(uint8_t id, TSmartAttribute& record) const;

    // Exchanges bytes 0 and 1, 2 and 3, ... over length bytes (a trailing odd byte stays).
    static void SwapBytePairs(uint8_t* bytes, size_t length);

  private:
    using DataBlock = std::array<uint8_t, kDataBlockSize>;

    DeviceHandle OpenDevice();
    bool Send(DeviceHandle handle, uint32_t code, uint32_t bufferSize, const AtaRegisters& regs,
              uint8_t* output, size_t outputSize);
    void ParseIdentify(uint8_t* sector);
    void ReadSmart();
    void ReadStorage(DeviceHandle handle);
    void TakeStorageIdentity(const StorageReading& reading);
    bool UsesPhysicalDrives() const;
    // A number this system's S.M.A.R.T. path can address: 0..15 on NT, the VxD's 0..3 on 9x.
    bool Addressable() const;

    uint8_t driveNumber_;
    std::string deviceName_; // "\\.\PhysicalDriveN", made once: a poll opens it twice
    DeviceIoPort& io_;
    DiskRights ownRights_;
    DiskRights& rights_;
    bool opened_ = false;
    bool versionRead_ = false;
    bool identified_ = false;
    bool smartEnabled_ = false;
    bool attributesRead_ = false;
    SmartCapabilities capabilities_;
    std::array<uint8_t, kVersionSize> versionInfo_{};
    DataBlock identifyBuffer_{};
    DataBlock attributeBuffer_{};
    DataBlock thresholdBuffer_{};
    std::string model_;
    std::string serialNumber_;
    double capacityGB_ = 0.0;
    double realCapacityGB_ = 0.0;
    int32_t temperature_ = -1;
    DiskReadPath readPath_ = DiskReadPath::None;
    bool asleep_ = false;
    // The storage queries once gave this disk a temperature (or found it asleep): from then on
    // its descriptor alone identifies it, as IDENTIFY does on the S.M.A.R.T. path.
    bool storageKnown_ = false;
    const uint8_t* attributeTable_ = nullptr;
    const uint8_t* thresholdTable_ = nullptr;
    OsVersionInfo osVersion_;
};

} // namespace korvane
