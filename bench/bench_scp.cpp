// Cost of super check partial on every key press of the call field, over the
// real MASTER.SCP (about 85 000 calls): a call typed letter by letter, and
// the worst case, a partial that matches nothing and so searches every call.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <string_view>

#include "radio/SuperCheckPartial.h"

namespace {

using mss::radio::SuperCheckPartial;

constexpr std::size_t kShown = 40;  // more than one line of the panel holds

const SuperCheckPartial& Loaded() {
    static const SuperCheckPartial scp = [] {
        SuperCheckPartial s;
        if (!s.AddScpFile(std::string(mss::radio::kMasterScpPath))) std::abort();
        return s;
    }();
    return scp;
}

void BM_ScpTypingACall(benchmark::State& state) {
    constexpr std::array<std::string_view, 6> kTyped{"D", "DL", "DL1", "DL1A", "DL1AB", "DL1ABC"};
    const SuperCheckPartial& scp = Loaded();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(scp.Find(kTyped[i++ % kTyped.size()], kShown));
    state.SetItemsProcessed(state.iterations());
    state.counters["calls"] = static_cast<double>(scp.Size());
}
BENCHMARK(BM_ScpTypingACall);

void BM_ScpNoMatchScansEverything(benchmark::State& state) {
    const SuperCheckPartial& scp = Loaded();
    for (auto _ : state) benchmark::DoNotOptimize(scp.Find("Q9QQ", kShown));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScpNoMatchScansEverything);

void BM_ScpRareSuffix(benchmark::State& state) {
    const SuperCheckPartial& scp = Loaded();
    for (auto _ : state) benchmark::DoNotOptimize(scp.Find("/MM", kShown));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScpRareSuffix);

void BM_ScpLoadMasterFile(benchmark::State& state) {
    for (auto _ : state) {
        SuperCheckPartial s;
        benchmark::DoNotOptimize(s.AddScpFile(std::string(mss::radio::kMasterScpPath)));
    }
}
BENCHMARK(BM_ScpLoadMasterFile)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
