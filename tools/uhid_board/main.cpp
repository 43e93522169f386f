// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-uhid-board: boards of the family (and foreign devices) made real to the kernel through
// /dev/uhid, driven by orders on standard input. See board_orders.h for the orders and
// board_host.h for what it prints. Ends at "quit" or at the end of its input, destroying
// every device.
#include "board_host.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::uint64_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
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
    if (argc > 1) {
        std::fprintf(stderr, "usage: %s  (orders on standard input, see board_orders.h)\n",
                     argv[0]);
        return 2;
    }
    tamo::uhid::BoardHost host(PrintLine);
    PrintLine("ready");
    std::string input;
    bool inputOpen = true;
    while (!host.quitting()) {
        const std::uint64_t now = NowMs();
        host.service(now);
        // Without input there will be no more orders: finish the ones there are, and go
        // (a streaming board would otherwise outlive the program that drove it).
        if (host.quitting() || (!inputOpen && !host.busy()))
            break;
        std::vector<pollfd> fds;
        if (inputOpen)
            fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (const int fd : host.deviceFds())
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
                host.handleReadable(entry.fd, NowMs());
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
