// SPDX-License-Identifier: GPL-3.0-or-later
// The board programs' order queue: one order at a time, the next only once a waiting one is
// done, and nothing after quit.
#include "order_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tamo::test {
namespace {

// Every order waits until release() is called, then answers ok.
class WaitingHost : public orders::OrderHost {
public:
    WaitingHost()
        : OrderHost([this](const std::string &line) { lines.push_back(line); },
                    orders::Transport::Uhid)
    {}
    void service() { runQueued(0); }
    void release() { released_ = true; }

    std::vector<std::string> lines;

private:
    void run(const orders::Order &order, std::uint64_t) override { pending_ = order; }
    bool waiting() const override { return pending_.has_value(); }
    void advancePending(std::uint64_t) override
    {
        if (pending_ && released_) {
            ok(*pending_);
            pending_.reset();
            released_ = false;
        }
    }

    std::optional<orders::Order> pending_;
    bool released_ = false;
};

TEST(OrderHost, RunsOneOrderAtATimeAndNothingAfterQuit)
{
    WaitingHost host;
    for (const char *line : {"buttons b 1", "frob", "unplug b", "quit", "remove b"})
        host.order(line);
    host.service();
    EXPECT_TRUE(host.lines.empty()) << "the first order waits; the rest stay queued";
    EXPECT_TRUE(host.busy());
    host.release();
    host.service();
    ASSERT_EQ(host.lines.size(), 2u);
    EXPECT_EQ(host.lines[0], "ok buttons b");
    EXPECT_EQ(host.lines[1].rfind("error order: ", 0), 0u) << host.lines[1];
    host.release();
    host.service();
    EXPECT_EQ(host.lines.back(), "ok quit");
    EXPECT_TRUE(host.quitting());
    EXPECT_EQ(host.lines.size(), 4u) << "remove is never run";
}

} // namespace
} // namespace tamo::test
