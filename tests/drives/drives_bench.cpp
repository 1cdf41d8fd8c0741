// Costs of one TSmart refresh against the simulated driver and of one indicator's pixels.
#include "drives/sim/sim_driver.h"
#include "drives/smart.h"
#include "drives/temperature_icon.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

class NtVersion final : public OsVersionPort {
  public:
    OsVersionInfo Read() const override { return OsVersionInfo{5, 1, 2600, kPlatformWin32Nt, ""}; }
};

void RefreshAgainst(benchmark::State& state, const std::string& iniPath) {
    auto driver = sim::CreateSimulatedDriver(iniPath);
    NtVersion os;
    TSmart smart(0, *driver, os);
    for (auto _ : state) {
        smart.Refresh();
        benchmark::DoNotOptimize(smart.AttributesRead());
    }
    if (!smart.AttributesRead()) {
        state.SkipWithError("the simulated disk did not answer");
    }
}

// The sim re-reads its settings at every open: once from the built-in demo set...
void BM_RefreshDemoDisk(benchmark::State& state) {
    RefreshAgainst(state, "/nonexistent-folder/simulation.ini");
}
BENCHMARK(BM_RefreshDemoDisk);

// ...and once from a simulation.ini file on disk.
void BM_RefreshIniDisk(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "korvane_bench_simulation.ini";
    std::ofstream(path) << "[PhysicalDrive0]\nModel=Bench Disk\nSerial=B1\nSectors=156301488\n"
                           "Temperature=42\n[PhysicalDrive1]\nModel=Other\n";
    RefreshAgainst(state, path.string());
    std::filesystem::remove(path);
}
BENCHMARK(BM_RefreshIniDisk);

void BM_TemperatureIconPixels(benchmark::State& state) {
    uint16_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTemperatureIcon(value, 0x0000FF, 0xFFFFFF));
        value = static_cast<uint16_t>((value + 1) % 120);
    }
}
BENCHMARK(BM_TemperatureIconPixels);

} // namespace
} // namespace korvane
