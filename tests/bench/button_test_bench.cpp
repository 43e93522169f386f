// SPDX-License-Identifier: GPL-3.0-or-later
// What the button test costs per input report: the window and tamo count every report a board
// sends, so this is the price of following a board that streams at 1 kHz.
#include "button_test.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace tamo::config;

// A second of a 1 kHz stream: a button pressed and released every 20 ms, one read each.
std::vector<TimedReport> Stream(int reports)
{
    std::vector<TimedReport> stream;
    for (int ms = 0; ms < reports; ++ms) {
        const ButtonState buttons = (ms / 10) % 2 ? ButtonState{1} << (ms / 20 % 32) : 0;
        stream.push_back({static_cast<std::uint64_t>(ms) * 1000, buttons, false});
    }
    return stream;
}

void PerReport(benchmark::State &state)
{
    const std::vector<TimedReport> stream = Stream(1000);
    ButtonTest test({.encoderPairs = 0b11});
    std::uint64_t offset = 0;
    for (auto _ : state) {
        for (TimedReport report : stream) {
            report.timeUs += offset;
            test.add(report);
        }
        offset += 1'000'000;
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}
BENCHMARK(PerReport);

// A read that brings a whole queue at once (64 reports).
void PerQueuedRead(benchmark::State &state)
{
    std::vector<ButtonState> queue(64);
    for (std::size_t i = 0; i < queue.size(); ++i)
        queue[i] = i % 2 ? 0x5 : 0;
    ButtonTest test;
    std::uint64_t time = 0;
    for (auto _ : state)
        test.addRead(queue, time += 64'000);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(queue.size()));
}
BENCHMARK(PerQueuedRead);

// The findings as text, which the window writes every tick while the test runs.
void Findings(benchmark::State &state)
{
    ButtonTest test;
    test.add(Stream(1000));
    for (auto _ : state)
        benchmark::DoNotOptimize(ButtonTestReport(test, 0xFFFFFFFFu, false));
}
BENCHMARK(Findings);

} // namespace

BENCHMARK_MAIN();
