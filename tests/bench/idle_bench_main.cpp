// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-idle-bench [SECONDS]: the CPU time of the whole process while the window waits for a
// board over hidraw, scanning blindly on every tick and waiting on device notifications, in
// the same run. Run it under Xvfb or on the offscreen platform.
#include "idle_window_cpu.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QApplication application(argc, argv);
    std::printf("idle window, no board, %d s each, platform %s\n", seconds,
                qPrintable(QApplication::platformName()));
    for (const auto &[name, waiting] :
         {std::pair{"blind scan every tick", tamo::bench::Waiting::Blind},
          std::pair{"device notifications", tamo::bench::Waiting::Notified}}) {
        const double msPerSecond = tamo::bench::IdleWindowCpuMsPerSecond(waiting, seconds);
        std::printf("  %-24s %8.2f ms CPU per s\n", name, msPerSecond);
        std::fflush(stdout);
    }
    return 0;
}
