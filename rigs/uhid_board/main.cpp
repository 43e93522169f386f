// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-uhid-board: boards of the family (and foreign devices) made real to the kernel through
// /dev/uhid, driven by orders on standard input. See board_orders.h for the orders and
// board_host.h for what it prints. Ends at "quit" or at the end of its input, destroying
// every device.
#include "board_host.h"
#include "order_loop.h"

#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc > 1) {
        std::fprintf(stderr, "usage: %s  (orders on standard input, see board_orders.h)\n",
                     argv[0]);
        return 2;
    }
    tamo::uhid::BoardHost host(tamo::orders::PrintLine);
    return tamo::orders::RunOrderLoop(host, [] {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    });
}
