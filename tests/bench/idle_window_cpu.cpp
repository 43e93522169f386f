// SPDX-License-Identifier: GPL-3.0-or-later
#include "idle_window_cpu.h"

#include "hid_linux.h"
#include "main_window.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <sys/resource.h>

namespace tamo::bench {

namespace {

// The hidraw backend deaf to device changes: every question about them is answered yes.
class BlindLinuxPlatform : public device::LinuxHidPlatform {
public:
    std::unique_ptr<device::DeviceChangeSource> WatchDeviceChanges() override
    {
        return std::make_unique<device::AlwaysChanged>();
    }
};

double ProcessCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) {
        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

void RunEventLoopFor(std::chrono::milliseconds duration)
{
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

double IdleWindowCpuMsPerSecond(Waiting waiting, int seconds)
{
    device::LinuxHidPlatform notified;
    BlindLinuxPlatform blind;
    app::MainWindow window(waiting == Waiting::Blind ? static_cast<device::HidPlatform &>(blind)
                                                     : notified);
    window.LoadMainWindow();
    RunEventLoopFor(std::chrono::seconds(1));
    const double cpuBefore = ProcessCpuMs();
    const auto wallBefore = std::chrono::steady_clock::now();
    RunEventLoopFor(std::chrono::seconds(seconds));
    const double wallMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallBefore)
            .count();
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    window.close();
    return cpuMs / (wallMs / 1e3);
}

} // namespace tamo::bench
