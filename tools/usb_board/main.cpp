// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-usb-board: a board of the family (or a foreign device) as a real USB device, through
// gadgetfs on a device controller (dummy_hcd in the test VM), driven by orders on standard
// input. See board_orders.h for the orders and usb_host.h for what it prints. Ends at "quit"
// or at the end of its input, disconnecting its device.
#include "usb_host.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sched.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::uint64_t NowUs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void PrintLine(const std::string &line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

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
    tamo::usb::UsbBoardHost host(PrintLine, paths);
    PrintLine("ready");
    std::string input;
    bool inputOpen = true;
    while (!host.quitting()) {
        const std::uint64_t now = NowUs();
        host.service(now);
        if (host.quitting() || (!inputOpen && !host.busy()))
            break;
        std::vector<pollfd> fds;
        if (inputOpen)
            fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (const int fd : host.fds())
            fds.push_back({fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), host.timeoutMs(now));
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "poll: %s\n", std::strerror(errno));
            return 1;
        }
        for (const pollfd &entry : fds) {
            if (entry.revents == 0)
                continue;
            if (entry.fd != STDIN_FILENO) {
                host.handleReadable(entry.fd, NowUs());
                continue;
            }
            char chunk[4096];
            const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (got <= 0) {
                inputOpen = false;
                if (!input.empty())
                    host.order(std::move(input));
                input.clear();
                continue;
            }
            input.append(chunk, static_cast<std::size_t>(got));
            for (std::size_t end; (end = input.find('\n')) != std::string::npos;) {
                std::string line = input.substr(0, end);
                input.erase(0, end + 1);
                if (!line.empty())
                    host.order(std::move(line));
            }
        }
    }
    return 0;
}
