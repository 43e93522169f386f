// SPDX-License-Identifier: GPL-3.0-or-later
// The main loop of a board program: orders from standard input, one a line, and the host's
// devices, served as they become readable, until "quit" or the end of the input.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace tamo::orders {

// A line to standard output, flushed: the test reads replies and events as they come.
void PrintLine(const std::string &line);

// Host: order(line), fds(), handleReadable(fd, now), service(now), timeoutMs(now), quitting(),
// busy(); now() gives the time in the host's unit. Returns the program's exit status.
template<class Host, class Now>
int RunOrderLoop(Host &host, Now now)
{
    PrintLine("ready");
    std::string input;
    bool inputOpen = true;
    while (!host.quitting()) {
        const std::uint64_t at = now();
        host.service(at);
        // Without input there will be no more orders: finish the ones there are, and go
        // (a streaming board would otherwise outlive the program that drove it).
        if (host.quitting() || (!inputOpen && !host.busy()))
            break;
        std::vector<pollfd> fds;
        if (inputOpen)
            fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (const int fd : host.fds())
            fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), host.timeoutMs(at)) < 0 && errno != EINTR) {
            std::fprintf(stderr, "poll: %s\n", std::strerror(errno));
            return 1;
        }
        for (const pollfd &entry : fds) {
            if (entry.revents == 0)
                continue;
            if (entry.fd != STDIN_FILENO) {
                host.handleReadable(entry.fd, now());
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

} // namespace tamo::orders
