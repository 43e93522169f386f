// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-button-bench: the button test over the USB path, in real time. The board times its
// taps itself and says when it sent each change; a reader in the same system reads them as
// the window's button test does (poll(), everything queued, each read stamped). Figures: taps
// counted against taps sent, at 10 ms and at 2 ms presses; the arrival (read) time against the
// board's send time; and the CPU time of the real window with its button test on while the
// board streams 64-byte reports every 1 ms. Prints figures only; run inside the kernel-test VM.
#include "board_process.h"
#include "main_window.h"
#include "native_platform.h"
#include "tap_reader.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using tamo::test::BoardProcess;

constexpr int kTaps = 200;
constexpr int kCpuSeconds = 5;

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()));
    return values[at];
}

void Taps(int pressMs)
{
    BoardProcess boards(tamo::test::UsbBoardProgram());
    if (!boards.started() || boards.create("b", "serial=TAPS-B stream=onchange").empty()) {
        std::printf("%d ms taps: no board (%s)\n", pressMs, boards.lastReply().c_str());
        return;
    }
    const std::string order =
        "taps b 1 " + std::to_string(kTaps) + " " + std::to_string(pressMs) + " 20 60 7";
    const tamo::test::TapRun run = tamo::test::ReadTaps(boards, "TAPS-B", {order});
    if (!run.failure.empty()) {
        std::printf("%d ms taps: %s\n", pressMs, run.failure.c_str());
        return;
    }
    // Report k carries change k: the board sends one report a change, in order.
    const auto arrived = tamo::test::ArrivalTimes(run.reads);
    std::vector<double> errorMs;
    for (std::size_t k = 0; k < std::min(arrived.size(), run.sentUs.size()); ++k)
        errorMs.push_back((static_cast<double>(arrived[k]) - static_cast<double>(run.sentUs[k]))
                          / 1000.0);
    const tamo::config::InputTally &tally = run.test.input(1);
    const auto timing = run.test.timing();
    std::printf("%2d ms presses, gaps 20 to 60 ms: %u of %d taps counted, %zu of %zu changes "
                "arrived (%llu in a read with the one before), %u read as chatter, shortest "
                "press read %.1f ms\n",
                pressMs, tally.presses, kTaps, arrived.size(), run.sentUs.size(),
                static_cast<unsigned long long>(timing.sharedRead), tally.chatters,
                tally.shortestPressUs.value_or(0) / 1000.0);
    std::printf("   arrival (read) - board's send: median %.2f ms  p99 %.2f ms  max %.2f ms  "
                "min %.2f ms\n",
                Percentile(errorMs, 0.5), Percentile(errorMs, 0.99), Percentile(errorMs, 1.0),
                Percentile(errorMs, 0.0));
    std::fflush(stdout);
}

double ProcessCpuMs()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void RunEventLoopFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU milliseconds of the whole process (all threads) per second of wall time.
double CpuMsPerSecond(int seconds)
{
    const double before = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    RunEventLoopFor(std::chrono::seconds(seconds));
    const double wallS =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return (ProcessCpuMs() - before) / wallS;
}

void StreamFigures(const char *who, double cpuMsPerSecond, const tamo::config::ReportTiming &timing)
{
    std::printf(
        "%-28s CPU %6.1f ms/s; %llu reports, %.0f reports/s, %llu in a read with the one "
        "before, read interval median %.2f ms  p99 %.2f ms  largest %.2f ms\n",
        who, cpuMsPerSecond, static_cast<unsigned long long>(timing.reports),
        timing.reportsPerSecond.value_or(0), static_cast<unsigned long long>(timing.sharedRead),
        timing.medianIntervalUs.value_or(0) / 1000.0, timing.p99IntervalUs.value_or(0) / 1000.0,
        timing.largestIntervalUs.value_or(0) / 1000.0);
    std::fflush(stdout);
}

void StreamCpu()
{
    BoardProcess boards(tamo::test::UsbBoardProgram());
    if (!boards.started() || boards.create("s", "serial=STREAM-1 stream=1ms input=64").empty()) {
        std::printf("stream: no board (%s)\n", boards.lastReply().c_str());
        return;
    }
    std::printf("board streaming 64-byte reports every 1 ms, %d s each:\n", kCpuSeconds);
    // What reaches a reader that does nothing else: the rate the window has to keep up with.
    const double before = ProcessCpuMs();
    const auto start = std::chrono::steady_clock::now();
    const tamo::test::TapRun alone =
        tamo::test::ReadTaps(boards, "STREAM-1", {}, std::chrono::seconds(kCpuSeconds));
    const double wallS =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!alone.failure.empty())
        std::printf("   poll() loop alone: %s\n", alone.failure.c_str());
    else
        StreamFigures("   poll() loop alone:", (ProcessCpuMs() - before) / wallS,
                      alone.test.timing());
    auto platform = tamo::device::CreateNativeHidPlatform();
    tamo::app::MainWindow window(*platform);
    window.LoadMainWindow();
    RunEventLoopFor(std::chrono::seconds(1));
    auto *test = window.findChild<QPushButton *>(QStringLiteral("BtnTest"));
    if (!window.connection().DeviceFound || test == nullptr) {
        std::printf("   window: it did not open the board\n");
        return;
    }
    const double off = CpuMsPerSecond(kCpuSeconds);
    std::printf("   window, button test off:  CPU %6.1f ms/s (the 50 ms poll)\n", off);
    test->click();
    RunEventLoopFor(std::chrono::milliseconds(500));
    const double on = CpuMsPerSecond(kCpuSeconds);
    const tamo::config::ButtonTest *analysis = window.buttonTest();
    StreamFigures("   window, button test on:", on,
                  analysis ? analysis->timing() : tamo::config::ReportTiming{});
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (const std::string why = tamo::test::UsbUnavailableReason(); !why.empty()) {
        std::printf("tamo-button-bench: %s\n", why.c_str());
        return 0;
    }
    std::printf("button test over USB, the board timing its own taps (CLOCK_MONOTONIC):\n");
    Taps(10);
    Taps(2);
    StreamCpu();
    return 0;
}
