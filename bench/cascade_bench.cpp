// The cost of the window's behaviour alone, without any toolkit: one keystroke's cascade, a clear
// from a full byte, and a split count.
#include <chrono>

#include <benchmark/benchmark.h>

#include "handlers.h"
#include "window_state.h"

namespace quadrell {
namespace {

void BindFresh(WindowState& state)
{
    BindHandlers(state, NumberFormat{});
}

// Times only `measured`, leaving out the set-up each round needs; the clock costs a few tens of
// nanoseconds, which is small next to what is measured.
template <typename Measured>
void TimeOnly(benchmark::State& bench, Measured measured)
{
    const auto start = std::chrono::steady_clock::now();
    measured();
    const auto end = std::chrono::steady_clock::now();
    bench.SetIterationTime(std::chrono::duration<double>(end - start).count());
}

// Typing "255" into the empty entry one key at a time; reported per keystroke.
void TypeTwoFiveFive(benchmark::State& bench)
{
    WindowState state;
    BindFresh(state);
    for (auto _ : bench) {
        TimeOnly(bench, [&] {
            state.userEditsText1("2");
            state.userEditsText1("25");
            state.userEditsText1("255");
        });
        benchmark::DoNotOptimize(state.label3().data());
        state.userClicksCommand1();
    }
    bench.SetItemsProcessed(bench.iterations() * 3);
}
BENCHMARK(TypeTwoFiveFive)->UseManualTime();

// The heaviest single keystroke of that: "25" becomes "255", changing five boxes.
void KeystrokeFiveBoxes(benchmark::State& bench)
{
    WindowState state;
    BindFresh(state);
    for (auto _ : bench) {
        state.userEditsText1("25");
        TimeOnly(bench, [&] { state.userEditsText1("255"); });
        benchmark::DoNotOptimize(state.label3().data());
    }
}
BENCHMARK(KeystrokeFiveBoxes)->UseManualTime();

// "Cancella" with all eight boxes checked and "255" in the entry.
void ClearAllFrom255(benchmark::State& bench)
{
    WindowState state;
    BindFresh(state);
    for (auto _ : bench) {
        state.userEditsText1("255");
        TimeOnly(bench, [&] { state.userClicksCommand1(); });
        benchmark::DoNotOptimize(state.label1().data());
    }
}
BENCHMARK(ClearAllFrom255)->UseManualTime();

// A new split count: every box repainted yellow, then the leading ones green.
void ApplySplitCount(benchmark::State& bench)
{
    WindowState state;
    BindFresh(state);
    for (auto _ : bench) {
        state.userEditsText2("5");
        state.userEditsText2("3");
        benchmark::DoNotOptimize(state.box(0).backColour);
    }
    bench.SetItemsProcessed(bench.iterations() * 2);
}
BENCHMARK(ApplySplitCount);

}  // namespace
}  // namespace quadrell

BENCHMARK_MAIN();
