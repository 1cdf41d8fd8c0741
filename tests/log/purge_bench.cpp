// Purge of a large temperature log against a plain read + write of the same bytes, and peak memory.
#include "log/log_format.h"
#include "log/purge.h"

#include "posix_file_system.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/resource.h>

namespace korvane {
namespace {

constexpr LocalTime kToday{2026, 12, 6, 12, 0, 0, 0};

// A log of `megabytes` MB: lines of about 50 bytes, every third one outside a 3-day window.
void WriteLog(const std::string& path, int64_t megabytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    const int64_t size = megabytes * 1000 * 1000;
    const char* days[] = {"[06/Dec/2026", "[05/Dec/2026", "[01/Dec/2026"};
    int64_t written = 0;
    for (int64_t i = 0; written < size; ++i) {
        char line[96];
        const int n = std::snprintf(line, sizeof line,
                                    "%s %d:%02d:%02d] Temperature = %d\xB0"
                                    "C\r\n",
                                    days[i % 3], static_cast<int>(i / 3600 % 24),
                                    static_cast<int>(i / 60 % 60), static_cast<int>(i % 60),
                                    static_cast<int>(30 + i % 20));
        std::fwrite(line, 1, static_cast<size_t>(n), out);
        written += n;
    }
    std::fclose(out);
}

void PlainCopy(FileSystemPort& files, const std::string& from, const std::string& to) {
    auto reader = files.OpenRead(from);
    auto writer = files.CreateWrite(to);
    std::vector<char> buffer(256 * 1024);
    for (int64_t got; (got = reader->Read(buffer.data(), buffer.size())) > 0;) {
        writer->Write(buffer.data(), static_cast<size_t>(got));
    }
    writer->Finish();
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_PurgeLargeLog(benchmark::State& state) {
    const std::filesystem::path dir = std::filesystem::path(KORVANE_BENCH_TMP) / "purge";
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "source.log").string();
    const std::string work = (dir / "disk.log").string();
    const std::string copy = (dir / "copy.log").string();
    WriteLog(source, state.range(0));
    test::PosixFileSystem files;
    const KeepWindow window(kToday, 3);
    double purgeTotal = 0;
    double copyTotal = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(source, work, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        const auto purgeStart = std::chrono::steady_clock::now();
        PurgeLogFile(files, work, window);
        const double purge = Seconds(purgeStart);
        state.PauseTiming();
        const auto copyStart = std::chrono::steady_clock::now();
        PlainCopy(files, source, copy);
        copyTotal += Seconds(copyStart);
        purgeTotal += purge;
        state.ResumeTiming();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(source)) / 1e6;
    state.counters["kept_MB"] = static_cast<double>(std::filesystem::file_size(work)) / 1e6;
    state.counters["purge_s"] = purgeTotal / static_cast<double>(state.iterations());
    state.counters["copy_s"] = copyTotal / static_cast<double>(state.iterations());
    state.counters["ratio"] = purgeTotal / copyTotal;
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::filesystem::remove_all(dir);
}

// 10 MB first: the peak memory after the 100 MB run shows whether it grows with the file.
BENCHMARK(BM_PurgeLargeLog)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
} // namespace korvane
