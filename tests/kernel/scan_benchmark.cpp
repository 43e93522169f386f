// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-scan-bench: what one scan pass costs over real hidraw devices, beside hidapi's
// enumeration of the same devices, and what the window spends while it waits for a board.
// Prints figures only; run inside the kernel-test VM (or anywhere with /dev/uhid, as root).
#include "board_process.h"
#include "discovery.h"
#include "hid_linux.h"
#include "idle_window_cpu.h"
#include "main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <hidapi.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using tamo::bench::IdleWindowCpuMsPerSecond;
using tamo::bench::RunEventLoopFor;
using tamo::bench::Waiting;
using tamo::test::BoardProcess;

constexpr int kForeignCounts[] = {1, 10, 50};
constexpr int kWarmUpPasses = 2;
constexpr int kIdleSeconds = 5;
// The window's poll interval.
constexpr int kPollIntervalMs = 50;
constexpr auto kTick = std::chrono::milliseconds(kPollIntervalMs);

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double ThreadCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    auto ms = [](const timeval &t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double ElapsedMs(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// One pass as the window makes it after a loss: the scan, then the search for the board the
// scan selected. Returns whether a board was opened; closes it again.
bool ScanPass(tamo::device::Discovery &discovery)
{
    const std::vector<std::string> serials = tamo::device::Scan_USB_devices(discovery);
    const bool found =
        tamo::device::FindTheHid(discovery, serials.empty() ? "" : serials.back()).found;
    if (found)
        tamo::device::CloseConnection(discovery.platform, discovery.connection);
    return found;
}

int HidapiPass()
{
    hid_device_info *devices = hid_enumerate(0, 0);
    int count = 0;
    for (const hid_device_info *d = devices; d != nullptr; d = d->next)
        ++count;
    hid_free_enumeration(devices);
    return count;
}

struct ScanFigures {
    double tamoMs = 0;
    double hidapiMs = 0;
    int hidapiListed = 0;
    bool boardFound = true;
};

ScanFigures MeasureScans(tamo::device::Discovery &discovery, int passes)
{
    ScanFigures figures;
    std::vector<double> tamo;
    std::vector<double> hidapi;
    // Interleaved, so that both see the same state of the machine.
    for (int i = 0; i < kWarmUpPasses + passes; ++i) {
        auto start = Clock::now();
        const bool found = ScanPass(discovery);
        const double tamoMs = ElapsedMs(start);
        start = Clock::now();
        const int listed = HidapiPass();
        const double hidapiMs = ElapsedMs(start);
        if (i < kWarmUpPasses)
            continue;
        figures.boardFound = figures.boardFound && found;
        figures.hidapiListed = listed;
        tamo.push_back(tamoMs);
        hidapi.push_back(hidapiMs);
    }
    figures.tamoMs = Median(tamo);
    figures.hidapiMs = Median(hidapi);
    return figures;
}

// The real window waiting for a board on its real timer: the time from the order that plugs
// the board in to SerNo showing it.
double ArrivalToShownMs(BoardProcess &boards)
{
    tamo::device::LinuxHidPlatform platform;
    tamo::app::MainWindow window(platform);
    window.LoadMainWindow();
    auto *serNo = window.findChild<QComboBox *>(QStringLiteral("SerNo"));
    RunEventLoopFor(std::chrono::milliseconds(500));
    const auto start = Clock::now();
    if (!boards.order("replug bench").starts_with("ok"))
        return -1;
    while (serNo->currentText() != QStringLiteral("BENCH-1")) {
        if (Clock::now() - start > std::chrono::seconds(10))
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return ElapsedMs(start);
}

double ScanLoopIdleCpuMsPerSecond(tamo::device::Discovery &discovery)
{
    const double cpuBefore = ThreadCpuMs();
    const auto start = Clock::now();
    auto next = start;
    while (Clock::now() - start < std::chrono::seconds(kIdleSeconds)) {
        ScanPass(discovery);
        next += kTick;
        std::this_thread::sleep_until(next);
    }
    return (ThreadCpuMs() - cpuBefore) / (ElapsedMs(start) / 1e3);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (const std::string why = tamo::test::UhidUnavailableReason(); !why.empty()) {
        std::printf("scan benchmark not run: %s\n", why.c_str());
        return 1;
    }
    BoardProcess boards;
    if (!boards.started() || boards.create("bench", "serial=BENCH-1 stream=onchange").empty()) {
        std::printf("scan benchmark not run: no board (%s)\n", boards.lastReply().c_str());
        return 1;
    }
    if (hid_init() != 0) {
        std::printf("scan benchmark not run: hid_init failed\n");
        return 1;
    }
    tamo::device::LinuxHidPlatform platform;
    tamo::device::BoardConnection connection;
    tamo::device::ValueCapsArray valueCaps{};
    tamo::device::Discovery discovery{platform, connection, valueCaps};

    std::printf("scan pass: Scan_USB_devices + FindTheHid over hidraw, beside hidapi "
                "hid_enumerate(0, 0) on the same devices\n");
    std::printf("  %-9s %7s %14s %14s %7s %8s\n", "devices", "passes", "tamo median",
                "hidapi median", "ratio", "hidapi");
    std::vector<std::string> idleLines;
    int foreign = 0;
    for (const int wanted : kForeignCounts) {
        for (; foreign < wanted; ++foreign) {
            const std::string name = "f" + std::to_string(foreign);
            if (boards.create(name, "kind=foreign serial=" + name).empty()) {
                std::printf("scan benchmark stopped: %s\n", boards.lastReply().c_str());
                return 1;
            }
        }
        const int passes = wanted >= 50 ? 11 : 21;
        const ScanFigures scan = MeasureScans(discovery, passes);
        std::printf("  %-9s %7d %11.2f ms %11.2f ms %7.2f %8d%s\n",
                    ("1+" + std::to_string(wanted)).c_str(), passes, scan.tamoMs, scan.hidapiMs,
                    scan.hidapiMs > 0 ? scan.tamoMs / scan.hidapiMs : 0.0, scan.hidapiListed,
                    scan.boardFound ? "" : "  (board NOT found)");
        std::fflush(stdout);

        if (!boards.order("unplug bench").starts_with("ok")) {
            std::printf("scan benchmark stopped: %s\n", boards.lastReply().c_str());
            return 1;
        }
        const double blind = IdleWindowCpuMsPerSecond(Waiting::Blind, kIdleSeconds);
        const double notified = IdleWindowCpuMsPerSecond(Waiting::Notified, kIdleSeconds);
        const double loop = ScanLoopIdleCpuMsPerSecond(discovery);
        const double arrival = ArrivalToShownMs(boards);
        if (arrival < 0) {
            std::printf("scan benchmark stopped: the board did not show (%s)\n",
                        boards.lastReply().c_str());
            return 1;
        }
        char line[200];
        std::snprintf(line, sizeof line, "  %-9d %12.2f ms/s %12.2f ms/s %12.1f ms/s %10.1f ms",
                      wanted, blind, notified, loop, arrival);
        idleLines.emplace_back(line);
    }
    std::printf("CPU time of the whole process per second with no board attached, over %d s "
                "(getrusage): the window scanning blindly every %d ms tick and waiting on "
                "device notifications; a scan loop alone; a board's arrival to SerNo showing it\n",
                kIdleSeconds, kPollIntervalMs);
    std::printf("  %-9s %17s %17s %17s %13s\n", "foreign", "window, blind", "window, notified",
                "scan loop alone", "arrival");
    for (const std::string &line : idleLines)
        std::printf("%s\n", line.c_str());
    hid_exit();
    return 0;
}
