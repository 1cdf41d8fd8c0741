// The fixed table of S.M.A.R.T. attribute names.
#include "drives/attribute_catalogue.h"

#include <array>

namespace korvane {

namespace {

constexpr const char* kVendorSpecific = "(Vendor-Specific)";

struct CatalogueEntry {
    uint8_t id;
    const char* name;
};

// Some names stand under two ids: vendors used both numbers for the same quantity.
constexpr std::array<CatalogueEntry, 35> kCatalogue{{
    {0, "No Attribute Here"},
    {1, "Raw Read Error Rate"},
    {2, "Throughput Performance"},
    {3, "Spin Up Time"},
    {4, "Start/Stop Count"},
    {5, "Reallocated Sector Count"},
    {6, "Read Channel Margin"},
    {7, "Seek Error Rate"},
    {8, "Seek Time Performance"},
    {9, "Power On Hours Count"},
    {10, "Spin Retry Count"},
    {11, "Calibration Retry Count"},
    {12, "Power Cycle Count"},
    {13, "Soft Read Error Rate"},
    {191, "G-Sense Error Rate"},
    {192, "Power-Off Retract Cycle"},
    {193, "Load/Unload Cycle Count"},
    {194, "Temperature"},
    {196, "Reallocation Events Count"},
    {197, "Current Pending Sector Count"},
    {198, "Uncorrectable Sector Count"},
    {199, "UltraDMA CRC Error Rate"},
    {200, "Write Error Rate"},
    {220, "Disk Shift"},
    {221, "G-Sense Error Rate"},
    {222, "Loaded Hours"},
    {223, "Load/Unload Retry Count"},
    {224, "Load Friction"},
    {225, "Load/Unload Cycle Count"},
    {226, "Load-in Time"},
    {227, "Torque Amplification Count"},
    {228, "Power-Off Retract Count"},
    {230, "GMR Head Amplitude"},
    {231, "Temperature"},
    {250, "Read Error Retry Rate"},
}};

} // namespace

std::string AttributeName(uint8_t id) {
    for (const CatalogueEntry& entry : kCatalogue) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return kVendorSpecific;
}

} // namespace korvane
