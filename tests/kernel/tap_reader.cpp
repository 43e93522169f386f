// SPDX-License-Identifier: GPL-3.0-or-later
#include "tap_reader.h"

#include "board_session.h"
#include "discovery.h"
#include "hid_linux.h"

#include <charconv>
#include <chrono>
#include <ctime>
#include <poll.h>
#include <thread>

namespace tamo::test {

namespace {

using namespace std::chrono_literals;

// usbhid drops input for 50 ms after a node is opened.
constexpr auto kAfterOpen = 300ms;
constexpr std::uint64_t kQuietUs = 500'000;
constexpr std::uint64_t kReplyPatienceUs = 120'000'000;
constexpr int kPollMs = 20;
// Each order's first change well after the one before's last.
constexpr std::uint64_t kBetweenOrdersUs = 100'000;

std::uint64_t MonotonicUs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000
           + static_cast<std::uint64_t>(now.tv_nsec) / 1000;
}

} // namespace

std::vector<std::uint64_t> SentTimes(const std::string &reply)
{
    const std::size_t at = reply.find(" sent=");
    if (at == std::string::npos)
        return {};
    std::vector<std::uint64_t> times;
    const char *next = reply.data() + at + 6;
    const char *end = reply.data() + reply.size();
    while (next < end) {
        std::uint64_t value = 0;
        const auto [stop, code] = std::from_chars(next, end, value);
        if (code != std::errc{} || (stop != end && *stop != ','))
            return {};
        times.push_back(value);
        next = stop == end ? end : stop + 1;
    }
    return times;
}

std::vector<std::uint64_t> ArrivalTimes(const std::vector<ArrivedRead> &reads)
{
    std::vector<std::uint64_t> times;
    for (const ArrivedRead &read : reads)
        times.insert(times.end(), read.reports.size(), read.timeUs);
    return times;
}

TapRun ReadTaps(BoardProcess &boards, const std::string &serial,
                const std::vector<std::string> &orders, std::chrono::milliseconds readFor)
{
    TapRun run;
    device::LinuxHidPlatform platform;
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{platform, connection, valueCaps};
    if (!device::FindTheHid(discovery, serial).found) {
        run.failure = "discovery did not open the board " + serial;
        return run;
    }
    config::BoardSession session(platform, connection);
    const std::uint32_t readBytes =
        config::StreamReadBytes(connection.Capabilities.InputReportByteLength);
    const device::InputWait wait = platform.WaitForInput(connection.ReadHandle);
    if (wait.kind != device::InputWait::Kind::Descriptor || wait.handle < 0) {
        run.failure = "the read handle has no descriptor to wait on";
        device::CloseConnection(platform, connection);
        return run;
    }
    std::this_thread::sleep_for(kAfterOpen);
    session.PollInput(readBytes);
    // The board's buttons are all released before its first order.
    run.test.start(0);

    std::size_t next = 0;
    bool awaiting = false;
    std::uint64_t sentAt = 0;
    std::uint64_t lastEventUs = MonotonicUs();
    std::uint64_t nextOrderUs = 0;
    const std::uint64_t endUs =
        readFor.count() > 0 ? MonotonicUs() + static_cast<std::uint64_t>(readFor.count()) * 1000
                            : 0;
    for (;;) {
        if (!awaiting && next < orders.size() && MonotonicUs() >= nextOrderUs) {
            if (!boards.send(orders[next++])) {
                run.failure = "the board program is not running";
                break;
            }
            awaiting = true;
            sentAt = MonotonicUs();
        }
        pollfd wanted{static_cast<int>(wait.handle), POLLIN, 0};
        if (::poll(&wanted, 1, kPollMs) > 0) {
            const config::InputPoll poll = session.PollInput(readBytes);
            const std::uint64_t readUs = MonotonicUs();
            if (poll.outcome == device::ReadOutcome::Failed) {
                run.failure = "a read failed: " + connection.LastResult.error;
                break;
            }
            if (!poll.reports.empty()) {
                run.test.addRead(poll.reports, readUs);
                run.reads.push_back({readUs, poll.reports});
                lastEventUs = readUs;
            }
        }
        const std::uint64_t now = MonotonicUs();
        if (awaiting) {
            std::string reply = boards.reply(0ms);
            if (reply == "timeout") {
                if (now - sentAt > kReplyPatienceUs) {
                    run.failure = "no reply to '" + orders[next - 1] + "'";
                    break;
                }
                continue;
            }
            awaiting = false;
            lastEventUs = now;
            nextOrderUs = now + kBetweenOrdersUs;
            if (!reply.starts_with("ok ")) {
                run.failure = reply;
                run.replies.push_back(std::move(reply));
                break;
            }
            const auto sent = SentTimes(reply);
            run.sentUs.insert(run.sentUs.end(), sent.begin(), sent.end());
            run.replies.push_back(std::move(reply));
        } else if (next == orders.size()
                   && (endUs > 0 ? now >= endUs : now - lastEventUs > kQuietUs)) {
            break;
        }
    }
    device::CloseConnection(platform, connection);
    return run;
}

} // namespace tamo::test
