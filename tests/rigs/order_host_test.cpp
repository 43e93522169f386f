// SPDX-License-Identifier: GPL-3.0-or-later
// The board programs' order queue (one order at a time, the next only once a waiting one is
// done, nothing after quit) and their device table with its waits for the kernel.
#include "device_host.h"
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

struct FakeDevice {
    bool plugged = false;
    std::optional<sim::BoardModel> board;
    std::vector<std::vector<std::uint8_t>> received;
    bool pluggedIn() const { return plugged; }
    sim::BoardModel *model() { return board ? &*board : nullptr; }
    const auto &featureReports() const { return received; }
};

// A kernel whose node for the plugged-in device shows up or goes away when the test says.
class FakeKernelHost : public orders::DeviceHost<FakeDevice> {
public:
    FakeKernelHost()
        : DeviceHost([this](const std::string &line) { lines.push_back(line); },
                     {orders::Transport::Uhid, 1, 100, 5, "no node", "node stayed"})
    {}
    std::string next(const std::string &line, std::uint64_t now)
    {
        order(line);
        return at(now);
    }
    std::string at(std::uint64_t now)
    {
        lines.clear();
        service(now);
        return lines.empty() ? "" : lines.back();
    }

    std::vector<std::string> lines;
    bool nodeShown = false;

private:
    std::unique_ptr<FakeDevice> make(const orders::Order &, orders::OrderedDevice made,
                                     std::string &) override
    {
        return std::make_unique<FakeDevice>(FakeDevice{false, std::move(made.model), {}});
    }
    bool plugIn(const orders::Order &, Entry &entry, std::string &) override
    {
        return entry.device->plugged = true;
    }
    void unplug(Entry &entry) override { entry.device->plugged = false; }
    std::optional<std::string> findNode(Entry &entry) const override
    {
        if (!nodeShown)
            return std::nullopt;
        entry.node = "hidraw7";
        return "node=hidraw7";
    }
    bool nodeGone(const Entry &) const override { return !nodeShown; }
    void startScript(const orders::Order &order, Entry &, std::uint64_t) override { ok(order); }
    std::vector<int> fdsOf(const FakeDevice &) const override { return {}; }
    void readable(const std::string &, FakeDevice &, int, std::uint64_t) override {}
    void pump(const std::string &, FakeDevice &, std::uint64_t) override {}
    int deviceTimeoutMs(const FakeDevice &, std::uint64_t) const override { return -1; }
};

TEST(DeviceHost, OrdersWaitForTheNodeAndNameWhatIsWrong)
{
    FakeKernelHost host;
    EXPECT_EQ(host.next("create b", 0), "") << "waits for the node";
    EXPECT_EQ(host.timeoutMs(0), 5);
    host.nodeShown = true;
    EXPECT_EQ(host.at(1), "ok create b node=hidraw7");
    EXPECT_EQ(host.next("create b", 2), "error create b: exists already");
    EXPECT_EQ(host.next("replug b", 3), "error replug b: already plugged in");
    EXPECT_EQ(host.next("buttons x 0x1", 4), "error buttons x: no such device");
    EXPECT_EQ(host.next("buttons b 0x1", 5), "ok buttons b");
    EXPECT_EQ(host.next("taps b 1 2 5 20 40 3", 6),
              "error taps b: the button is pressed; release it first");
    EXPECT_EQ(host.next("dump b", 7), "ok dump b count=0");

    // An unplug whose node stays fails at the deadline; the device is unplugged all the same.
    EXPECT_EQ(host.next("unplug b", 10), "");
    EXPECT_EQ(host.at(109), "");
    EXPECT_EQ(host.at(110), "error unplug b: node stayed");
    EXPECT_EQ(host.next("unplug b", 111), "error unplug b: not plugged in");
    EXPECT_EQ(host.next("remove b", 112), "ok remove b") << "an unplugged device goes at once";
    EXPECT_EQ(host.next("dump b", 113), "error dump b: no such device");

    // A device whose node never appears is not kept.
    host.nodeShown = false;
    EXPECT_EQ(host.next("create m kind=foreign", 200), "");
    EXPECT_EQ(host.at(300), "error create m: no node");
    EXPECT_FALSE(host.busy());
    EXPECT_EQ(host.next("taps m 1 2 5 20 40 3", 301), "error taps m: no such device");
    host.nodeShown = true;
    EXPECT_EQ(host.next("create m kind=foreign", 302), "ok create m node=hidraw7");
    EXPECT_EQ(host.next("taps m 1 2 5 20 40 3", 303), "error taps m: not a board");
    EXPECT_EQ(host.next("buttons m 0x1", 304), "error buttons m: not a board");
    host.nodeShown = false;
    EXPECT_EQ(host.next("remove m", 305), "ok remove m");
    EXPECT_EQ(host.next("replug m", 306), "error replug m: no such device");
}

} // namespace
} // namespace tamo::test
