// Costs of one TSmart refresh against the simulated driver and of one indicator's pixels.
#include "drives/sim/sim_driver.h"
#include "drives/smart.h"
#include "drives/temperature_icon.h"

#include "fake_os_version.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

constexpr const char* kBenchIni =
    "[PhysicalDrive0]\nModel=Bench Disk\nSerial=B1\nSectors=156301488\n"
    "Temperature=42\n[PhysicalDrive1]\nModel=Other\n";

void RefreshAgainst(benchmark::State& state, const std::string& iniPath) {
    auto driver = sim::CreateSimulatedDriver(iniPath);
    test::FixedOsVersion os(kPlatformWin32Nt, 5, 1, 2600);
    TSmart smart(0, *driver, os);
    for (auto _ : state) {
        smart.Refresh();
        benchmark::DoNotOptimize(smart.AttributesRead());
    }
    if (!smart.AttributesRead()) {
        state.SkipWithError("the simulated disk did not answer");
    }
}

// Each refresh opens the disk twice; the driver reads its settings again only when they change.
// Once over the built-in demo set...
void BM_RefreshDemoDisk(benchmark::State& state) {
    RefreshAgainst(state, "/nonexistent-folder/simulation.ini");
}
BENCHMARK(BM_RefreshDemoDisk);

// ...and once from a simulation.ini file on disk.
void BM_RefreshIniDisk(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "korvane_bench_simulation.ini";
    std::ofstream(path) << kBenchIni;
    // A file that has not changed for a while, as in a running program.
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                               std::chrono::hours(1));
    RefreshAgainst(state, path.string());
    std::filesystem::remove(path);
}
BENCHMARK(BM_RefreshIniDisk);

// The refresh's baseline: one read of that simulation.ini, which every open used to make.
void BM_ReadSimulationIni(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "korvane_bench_baseline.ini";
    std::ofstream(path) << kBenchIni;
    std::string text(4096, '\0');
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        benchmark::DoNotOptimize(in.gcount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadSimulationIni);

void BM_TemperatureIconPixels(benchmark::State& state) {
    uint16_t value = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTemperatureIcon(value, 0x0000FF, 0xFFFFFF));
        value = static_cast<uint16_t>((value + 1) % 120);
    }
}
BENCHMARK(BM_TemperatureIconPixels);

// The pixels' baseline: writing the 16 x 16 colour values once.
void BM_FillIconPixels(benchmark::State& state) {
    std::array<uint32_t, 256> pixels{};
    uint32_t value = 0;
    for (auto _ : state) {
        pixels.fill(value++);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillIconPixels);

} // namespace
} // namespace korvane
