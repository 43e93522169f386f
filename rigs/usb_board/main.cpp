// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-usb-board: a board of the family (or a foreign device) as a real USB device, through
// gadgetfs on a device controller (dummy_hcd in the test VM), driven by orders on standard
// input. See board_orders.h for the orders and usb_host.h for what it prints. Ends at "quit"
// or at the end of its input, disconnecting its device.
#include "order_loop.h"
#include "usb_host.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sched.h>

int main(int argc, char **argv)
{
    tamo::usb::UsbHostPaths paths;
    if (argc == 3 && std::strcmp(argv[1], "--gadgetfs") == 0) {
        paths.gadgetfs = argv[2];
    } else if (argc > 1) {
        std::fprintf(stderr,
                     "usage: %s [--gadgetfs DIR]  (orders on standard input, see "
                     "board_orders.h; DIR defaults to /dev/gadget)\n",
                     argv[0]);
        return 2;
    }
    // gadgetfs completes a SET_REPORT's data stage in the kernel and keeps one pending setup
    // event: when the host sends its next request before this program has read the event,
    // the first is lost. Hardware answers at once; a real-time priority comes closest.
    sched_param priority{};
    priority.sched_priority = 10;
    if (::sched_setscheduler(0, SCHED_FIFO, &priority) != 0)
        std::fprintf(stderr,
                     "tamo-usb-board: no real-time priority (%s); a request that "
                     "follows a SET_REPORT at once may hide it\n",
                     std::strerror(errno));
    tamo::usb::UsbBoardHost host(tamo::orders::PrintLine, paths);
    return tamo::orders::RunOrderLoop(host, [] {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
    });
}
