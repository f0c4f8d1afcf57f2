// Cost of the locator work that runs on every keystroke of the locator field:
// the check of the typed text and the distance from the own locator.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "radio/Locator.h"

namespace {

using mss::radio::QrbKm;
using mss::radio::ToLocator;

constexpr std::array<std::string_view, 8> kContacts{"IO91WM", "JN58TD", "KP20LE", "FN31PR",
                                                    "JO62MN", "QF56OD", "jo30aa", "JO7"};
// What the locator field holds keystroke by keystroke, including mistakes.
constexpr std::array<std::string_view, 8> kTyped{"",     "J",     "JO",     "JO6",
                                                 "JO62", "JO62M", "JO62MM", "jo62mm"};

void BM_QrbKm(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QrbKm("JO62MM", kContacts[i++ % kContacts.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_QrbKm);

void BM_IsValidLocator(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ToLocator::IsValidLocator(kTyped[i++ % kTyped.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IsValidLocator);

}  // namespace

BENCHMARK_MAIN();
