// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-lamp-bench: press to lamp over the USB path, in real time. A board on the virtual USB
// host controller changes its buttons; the figure is the time from the board sending the
// first input report with the new state (the write it queued on its interrupt endpoint) to
// the window's lamp turning red, over the real usbhid, hidraw, hidraw backend and poll timer.
// Prints figures only; run inside the kernel-test VM.
#include "board_process.h"
#include "lamp_shape.h"
#include "main_window.h"
#include "native_platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using tamo::test::BoardProcess;

constexpr int kPresses = 200;
constexpr int kPatienceMs = 5000;

std::uint64_t NowUs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()));
    return values[at];
}

// The board's "report BITS sent=US" line for these buttons among the events from index
// `from` on (an earlier press of the same button has its own line).
bool SentUs(BoardProcess &boards, std::size_t from, std::uint32_t buttons, std::uint64_t &sent)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "report 0x%08x sent=", buttons);
    const auto events = boards.events("b");
    for (auto it = events.rbegin();
         it != events.rend() && it < events.rend() - static_cast<std::ptrdiff_t>(from); ++it) {
        if (it->starts_with(prefix)) {
            sent = std::stoull(it->substr(std::string(prefix).size()));
            return true;
        }
    }
    return false;
}

struct Figures {
    std::vector<double> ms;
    int missed = 0;
};

Figures Measure(const char *label, const std::string &options)
{
    Figures figures;
    BoardProcess boards(tamo::test::UsbBoardProgram());
    if (!boards.started() || boards.create("b", options).empty()) {
        std::printf("%s: no board (%s)\n", label, boards.lastReply().c_str());
        return figures;
    }
    auto platform = tamo::device::CreateNativeHidPlatform();
    {
        tamo::app::MainWindow window(*platform);
        window.LoadMainWindow();
        QElapsedTimer settle;
        settle.start();
        // usbhid drops input for 50 ms after the window opens the node.
        while (settle.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!window.connection().DeviceFound) {
            std::printf("%s: the window did not open the board\n", label);
            return figures;
        }
        std::uint32_t seed = 12345;
        for (int press = 0; press < kPresses; ++press) {
            // One button at a time, each press a new state; lamps 1..32 in turn.
            const int lamp = press % 32;
            const std::uint32_t buttons = 1u << lamp;
            const std::size_t before = boards.events("b").size();
            boards.order("buttons b " + std::to_string(buttons));
            std::uint64_t lampUs = 0;
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < kPatienceMs) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
                if (window.lamp(lamp)->fillColourValue() == tamo::app::INDICATOR_ON_COLOUR) {
                    lampUs = NowUs();
                    break;
                }
            }
            std::uint64_t sentUs = 0;
            for (int i = 0; i < 100 && !SentUs(boards, before, buttons, sentUs); ++i)
                std::this_thread::sleep_for(10ms);
            if (lampUs == 0 || sentUs == 0 || sentUs > lampUs)
                ++figures.missed;
            else
                figures.ms.push_back((lampUs - sentUs) / 1000.0);
            // A pause of 0 to 30 ms, so that presses fall anywhere in the poll period.
            seed = seed * 1103515245u + 12345u;
            std::this_thread::sleep_for(std::chrono::milliseconds((seed >> 16) % 31));
        }
    }
    // A press slower than half a second: a stall of the emulated machine, or the host
    // resetting the device (each reset shows as a new connect of the board).
    const auto slow =
        std::count_if(figures.ms.begin(), figures.ms.end(), [](double ms) { return ms > 500; });
    const auto events = boards.events("b");
    const auto connects = std::count_if(events.begin(), events.end(), [](const std::string &e) {
        return e.starts_with("connect");
    });
    std::printf("%-40s median %6.1f ms  p99 %6.1f ms  max %6.1f ms  (%zu presses, %d missed, "
                "%ld over 500 ms, %ld connects)\n",
                label, Percentile(figures.ms, 0.5), Percentile(figures.ms, 0.99),
                Percentile(figures.ms, 1.0), figures.ms.size(), figures.missed,
                static_cast<long>(slow), static_cast<long>(connects));
    std::fflush(stdout);
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (const std::string why = tamo::test::UsbUnavailableReason(); !why.empty()) {
        std::printf("tamo-lamp-bench: %s\n", why.c_str());
        return 0;
    }
    std::printf("press to lamp over USB (board's report sent -> lamp red), %d presses each:\n",
                kPresses);
    Measure("on change, 8-byte reports", "stream=onchange");
    Measure("streaming every 1 ms, 8-byte reports", "stream=1ms");
    Measure("streaming every 1 ms, 64-byte reports", "stream=1ms input=64");
    // What the kernel said about the USB device meanwhile (resets, transfer errors).
    std::fflush(stdout);
    return std::system("dmesg | grep -iE 'usb 1-1|hid|dummy' | grep -v 'input:' | tail -15") < 0;
}
