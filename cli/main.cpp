// SPDX-License-Identifier: GPL-3.0-or-later
// tamo: the boards from a terminal, over the system's own HID backend.
#include "environment.h"
#include "inaccessible_boards.h"
#include "native_platform.h"
#include "terminal.h"
#include "text.h"

#include <algorithm>
#include <chrono>
#include <iostream>

namespace {

class SystemClock : public tamo::cli::Clock {
public:
    std::uint64_t SteadyMs() override
    {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    std::int64_t WallMs() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
    void Sleep(std::uint32_t ms) override { tamo::cli::SleepUnlessInterrupted(ms); }
    std::uint64_t SteadyUs() override
    {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    void WaitForInput(const tamo::device::InputWait &wait, std::uint32_t ms) override
    {
        tamo::cli::WaitForInputUnlessInterrupted(wait, ms);
    }
};

} // namespace

int main(int argc, char **argv)
{
    // RunTamo catches what a command lets escape; this is the last word for anything before it
    // (the platform, the console), when no board has been touched.
    try {
        const auto platform = tamo::device::CreateNativeHidPlatform();
        SystemClock clock;
        tamo::cli::CatchInterrupt();
        tamo::cli::Environment env{*platform, std::cin, std::cout, std::cerr, clock};
        env.interrupted = tamo::cli::Interrupted;
        env.outIsTerminal = tamo::cli::StdoutIsTerminal() && tamo::cli::EnableTerminalEscapes();
        env.findInaccessibleBoards = [] {
            return tamo::device::FindInaccessibleBoards();
        };
        const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
        return tamo::cli::RunTamo(args, env);
    } catch (const std::exception &e) {
        std::cerr << "tamo: stopped by an unexpected error: " << tamo::cli::Escaped(e.what())
                  << "; nothing was sent\n";
    } catch (...) {
        std::cerr << "tamo: stopped by an unexpected error; nothing was sent\n";
    }
    return tamo::cli::EXIT_USAGE;
}
