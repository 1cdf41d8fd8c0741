// The steady-state poll of one disk, natively: its time and the heap allocations it makes, told
// apart by where they happen (inside the settings reads, inside the simulated driver, inside the
// file system stand-in, the rest: the poll's own).
#include "poll_rig.h"

#include <benchmark/benchmark.h>

namespace korvane {
namespace {

using test::PollRig;

constexpr const char* kBenchDisk = "[PhysicalDrive0]\nModel=Bench Disk\nSerial=B1\n"
                                   "Sectors=156301488\nTemperature=42\n";

void BM_SteadyPoll(benchmark::State& state) {
    PollRig rig("bench_poll", kBenchDisk);
    TDrive drive(0, rig.context);
    drive.Poll(); // registers the disk
    drive.Poll();
    if (!drive.IsIconShown()) {
        state.SkipWithError("the disk's indicator is not shown");
        return;
    }
    const PollRig::Split before = rig.Now();
    for (auto _ : state) {
        drive.Poll();
    }
    const PollRig::Split made = rig.Now() - before;
    const auto polls = static_cast<double>(state.iterations());
    const auto perPoll = [polls](long count) { return static_cast<double>(count) / polls; };
    state.counters["allocs"] = perPoll(made.all);
    state.counters["allocs_in_reads"] = perPoll(made.inReads);
    state.counters["allocs_in_sim"] = perPoll(made.inDriver);
    state.counters["allocs_in_files"] = perPoll(made.inFiles);
    state.counters["allocs_rest"] = perPoll(made.Rest());
    state.counters["reads"] = perPoll(made.reads);
    state.counters["appends"] = perPoll(made.appends);
    state.counters["sim_loads"] = rig.driver.Loads();
}
BENCHMARK(BM_SteadyPoll);

// The poll's log append on its own: the part of the allocations that belongs to the logger.
void BM_TemperatureLogAppend(benchmark::State& state) {
    PollRig rig("bench_log", kBenchDisk);
    const std::string file = "Bench Disk (78,1 GB).log";
    const std::string line = "Temperature = 42\xB0"
                             "C (107\xB0"
                             "F)";
    rig.logger.Log(kTemperatureLog, file, line, kNotice);
    const PollRig::Split before = rig.Now();
    for (auto _ : state) {
        rig.logger.Log(kTemperatureLog, file, line, kNotice);
    }
    const PollRig::Split made = rig.Now() - before;
    const auto appends = static_cast<double>(state.iterations());
    state.counters["allocs"] = static_cast<double>(made.all) / appends;
    state.counters["allocs_in_files"] = static_cast<double>(made.inFiles) / appends;
    state.counters["allocs_rest"] =
        static_cast<double>(made.all - made.inFiles - made.inReads) / appends;
}
BENCHMARK(BM_TemperatureLogAppend);

} // namespace
} // namespace korvane
