// The graph's reading of a large temperature log (read once, min/max per column at 800 pixels)
// against a plain read of the same bytes, and the memory it grows by.
#include "log/graph_reduction.h"
#include "log/log_format.h"
#include "log/log_reader.h"

#include "posix_file_system.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

namespace korvane {
namespace {

constexpr int64_t kStart = 1'700'000'000; // LocalSeconds of late 2023
constexpr int32_t kWidth = 800;

// A log of `megabytes` MB as the program writes it: a line every 20 s, for years.
int64_t WriteLog(const std::string& path, int64_t megabytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    const int64_t size = megabytes * 1000 * 1000;
    int64_t written = 0;
    int64_t t = kStart;
    for (; written < size; t += 20) {
        const int32_t c = 30 + static_cast<int32_t>(t / 600 % 25);
        const std::string line =
            TemperatureLogLine(FromLocalSeconds(t), "Temperature = " + std::to_string(c) + "\xB0" +
                                                        "C (" + std::to_string(c * 9 / 5 + 32) +
                                                        "\xB0" + "F)") +
            "\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
        written += static_cast<int64_t>(line.size());
    }
    std::fclose(out);
    return t;
}

int64_t PlainRead(FileSystemPort& files, const std::string& path) {
    auto reader = files.OpenRead(path);
    std::vector<char> buffer(64 * 1024);
    int64_t total = 0;
    for (int64_t got; (got = reader->Read(buffer.data(), buffer.size())) > 0;)
        total += got;
    return total;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_GraphLargeLog(benchmark::State& state) {
    const std::filesystem::path dir = std::filesystem::path(KORVANE_BENCH_TMP) / "graph";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "disk.log").string();
    const int64_t end = WriteLog(path, state.range(0));
    test::PosixFileSystem files;
    const double rssBefore = PeakRssMb();
    double reduceTotal = 0;
    double readTotal = 0;
    int64_t readings = 0;
    for (auto _ : state) {
        // All of it, as the window's "All" range opens: one pass, then the columns.
        const auto reduceStart = std::chrono::steady_clock::now();
        LogReader reader(files, path);
        GraphSeries series({kStart, end, kWidth}, 20);
        reader.Read([&](const LogReading& r) { series.Add(r); });
        benchmark::DoNotOptimize(series.Columns().data());
        reduceTotal += Seconds(reduceStart);
        readings = reader.Readings();
        state.PauseTiming();
        const auto readStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(PlainRead(files, path));
        readTotal += Seconds(readStart);
        state.ResumeTiming();
    }
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["days"] = static_cast<double>(end - kStart) / 86400.0;
    state.counters["readings"] = static_cast<double>(readings);
    state.counters["reduce_s"] = reduceTotal / static_cast<double>(state.iterations());
    state.counters["read_s"] = readTotal / static_cast<double>(state.iterations());
    state.counters["ratio"] = reduceTotal / readTotal;
    state.counters["rss_growth_MB"] = PeakRssMb() - rssBefore;
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_GraphLargeLog)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace korvane
