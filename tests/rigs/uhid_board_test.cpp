// SPDX-License-Identifier: GPL-3.0-or-later
// The uhid board without a kernel: its orders, and its side of the uhid protocol over a
// socket pair that stands in for /dev/uhid (one event per message, as the device gives).
#include "board_descriptors.h"
#include "board_orders.h"
#include "order_device.h"
#include "uhid_device.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tamo::test {
namespace {

using uhid::UhidHappening;

TEST(UhidBoardOrders, ACreateOrderMakesTheBoardOrTheMouseWithItsOptionsOver)
{
    std::string error;
    orders::OrderedDevice made;
    ASSERT_TRUE(orders::DeviceFromOrder(
        *orders::ParseOrder("create b1 pid=42 stream=onchange", error), made, error))
        << error;
    EXPECT_EQ(made.serial, "b1") << "a board without serial= is named by its order";
    EXPECT_EQ(made.productId, 42);
    EXPECT_EQ(made.reportDescriptor, sim::BoardReportDescriptor());
    ASSERT_TRUE(made.model);
    EXPECT_EQ(made.model->inputMode(), sim::InputMode::OnChange);

    ASSERT_TRUE(orders::DeviceFromOrder(
        *orders::ParseOrder(R"(create m kind=foreign product="Mouse")", error), made, error));
    EXPECT_FALSE(made.serial);
    EXPECT_FALSE(made.model);
    EXPECT_EQ(made.product, "Mouse");
    EXPECT_NE(made.reportDescriptor, sim::BoardReportDescriptor());
}

TEST(UhidBoardOrders, CreateOptionsAndValues)
{
    std::string error;
    const auto create = orders::ParseOrder(
        R"(create b1 serial=S-9 vid=0x1209 pid=42 version=0x0102 product="Tamo micro 32" stream=onchange)",
        error);
    ASSERT_TRUE(create) << error;
    EXPECT_EQ(create->verb, orders::Verb::Create);
    EXPECT_EQ(create->device, "b1");
    EXPECT_FALSE(create->create.foreign);
    EXPECT_EQ(create->create.serial, "S-9");
    EXPECT_EQ(create->create.vendorId, 0x1209);
    EXPECT_EQ(create->create.productId, 42);
    EXPECT_EQ(create->create.version, 0x0102);
    EXPECT_EQ(create->create.product, "Tamo micro 32");
    EXPECT_EQ(create->create.inputMode, sim::InputMode::OnChange);

    const auto stream = orders::ParseOrder("create m kind=foreign stream=25ms", error);
    ASSERT_TRUE(stream) << error;
    EXPECT_TRUE(stream->create.foreign);
    EXPECT_EQ(stream->create.streamPeriodMs, 25u);

    const auto buttons = orders::ParseOrder("buttons b1 0x80000001", error);
    ASSERT_TRUE(buttons) << error;
    EXPECT_EQ(buttons->value, 0x80000001u);
}

TEST(UhidBoardOrders, MalformedOrdersAreRefusedWithAReason)
{
    for (const char *line : {"",
                             "jump b1",
                             "buttons",
                             "buttons b1",
                             "buttons b1 0x100000000",
                             "selftest b1 256",
                             "status b1 x",
                             "create b1 vid=0x10000",
                             "create b1 stream=0ms",
                             "create b1 colour=red",
                             "create b1 kind=mouse",
                             "create b1 product=\"open",
                             "unplug b1 now",
                             "quit now",
                             "taps b1 1 10 10 20 60",
                             "taps b1 0 10 10 20 60 7",
                             "taps b1 33 10 10 20 60 7",
                             "taps b1 1 0 10 20 60 7",
                             "taps b1 1 10 0 20 60 7",
                             "taps b1 1 10 10 0 60 7",
                             "taps b1 1 10 10 60 20 7",
                             "taps b1 1 10 10 20 60000000 7",
                             "taps b1 1 10 10 20 60 x",
                             "bounce b1",
                             "bounce b1 0",
                             "bounce b1 5 6"}) {
        std::string error;
        EXPECT_FALSE(orders::ParseOrder(line, error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
    std::string error;
    EXPECT_FALSE(orders::ParseOrder("create b1 marker=Tamo", error));
    EXPECT_NE(error.find("string 42"), std::string::npos) << error;
}

// Taps and a bounce, as both board programs send them: every change with its time, the other
// buttons kept.
TEST(UhidBoardOrders, TapsAndBounceAreTimedChangesOfOneButton)
{
    std::string error;
    const auto taps = orders::ParseOrder("taps b1 3 50 10 20 60 7", error);
    ASSERT_TRUE(taps) << error;
    const std::uint32_t others = 0x80000001;
    const auto changes = orders::ScriptChanges(*taps, others | 0x4);
    ASSERT_EQ(changes.size(), 100u);
    EXPECT_EQ(changes.front().atUs, 0u);
    std::uint64_t shortestGap = ~std::uint64_t{0};
    std::uint64_t longestGap = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].buttons, i % 2 == 0 ? others | 0x4 : others) << i;
        if (i % 2 == 1) {
            EXPECT_EQ(changes[i].atUs - changes[i - 1].atUs, 10'000u) << i;
        } else if (i > 0) {
            const std::uint64_t gap = changes[i].atUs - changes[i - 1].atUs;
            shortestGap = std::min(shortestGap, gap);
            longestGap = std::max(longestGap, gap);
        }
    }
    EXPECT_GE(shortestGap, 20'000u);
    EXPECT_LE(longestGap, 60'000u);
    // Drawn, not fixed; the same from the same seed, others from another.
    EXPECT_GT(longestGap - shortestGap, 10'000u);
    const auto again = orders::ScriptChanges(*taps, others);
    const auto other =
        orders::ScriptChanges(*orders::ParseOrder("taps b1 3 50 10 20 60 8", error), others);
    EXPECT_EQ(again.back().atUs, changes.back().atUs);
    EXPECT_NE(other.back().atUs, changes.back().atUs);

    const auto bounce = orders::ParseOrder("bounce b1 32", error);
    ASSERT_TRUE(bounce) << error;
    const auto bounced = orders::ScriptChanges(*bounce, 1);
    std::vector<std::pair<std::uint64_t, std::uint32_t>> got;
    for (const auto &change : bounced)
        got.emplace_back(change.atUs, change.buttons);
    const std::uint32_t on = 0x80000001;
    EXPECT_EQ(got, (std::vector<std::pair<std::uint64_t, std::uint32_t>>{
                       {0, on}, {5000, 1}, {6500, on}, {9500, 1}, {11500, on}, {51500, 1}}));
    EXPECT_EQ(orders::ScriptReply({12, 3456}), "changes=2 sent=12,3456");
}

class UhidProtocol : public ::testing::Test {
protected:
    void TearDown() override
    {
        device.reset();
        if (kernelSide >= 0)
            ::close(kernelSide);
    }

    // A fresh device on a fresh socket pair.
    void make(bool board)
    {
        device.reset();
        if (kernelSide >= 0)
            ::close(kernelSide);
        int pair[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair), 0);
        kernelSide = pair[0];
        uhid::UhidIdentity identity{
            "Tamo micro 32", "phys/b", "SER-1", BUS_USB, 0x1209, 0xA7E0, 0x0109, {},
        };
        identity.descriptor = board ? sim::BoardReportDescriptor() : sim::MouseReportDescriptor();
        std::optional<sim::BoardModel> model;
        if (board) {
            model.emplace(17, 8);
            model->setInputMode(sim::InputMode::OnChange);
        }
        device = std::make_unique<uhid::UhidDevice>(identity, std::move(model));
        std::string error;
        ASSERT_TRUE(device->create(pair[1], error)) << error;
        ASSERT_EQ(receive().type, UHID_CREATE2);
    }
    void send(const uhid_event &event)
    {
        ASSERT_EQ(::write(kernelSide, &event, sizeof event), static_cast<ssize_t>(sizeof event));
    }
    uhid_event receive()
    {
        uhid_event event{};
        const ssize_t got = ::recv(kernelSide, &event, sizeof event, MSG_DONTWAIT);
        if (got != static_cast<ssize_t>(sizeof event))
            event.type = 0xFFFF;
        return event;
    }
    std::optional<UhidHappening> deliver(const uhid_event &event)
    {
        send(event);
        std::string error;
        auto happening = device->handleEvent(0, error);
        EXPECT_TRUE(error.empty()) << error;
        return happening;
    }
    uhid_event getReport(std::uint32_t id, std::uint8_t type, std::uint8_t number = 0)
    {
        uhid_event request{};
        request.type = UHID_GET_REPORT;
        request.u.get_report = {id, number, type};
        deliver(request);
        return receive();
    }

    int kernelSide = -1;
    std::unique_ptr<uhid::UhidDevice> device;
};

TEST_F(UhidProtocol, CreateCarriesTheIdentityAndDescriptor)
{
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair), 0);
    const std::string longName(200, 'n');
    uhid::UhidDevice longNamed({longName, "p", "u", BUS_USB, 1, 2, 3, sim::BoardReportDescriptor()},
                               std::nullopt);
    std::string error;
    ASSERT_TRUE(longNamed.create(pair[1], error)) << error;
    uhid_event event{};
    ASSERT_EQ(::read(pair[0], &event, sizeof event), static_cast<ssize_t>(sizeof event));
    EXPECT_EQ(event.type, UHID_CREATE2);
    const uhid_create2_req &request = event.u.create2;
    // A name longer than the field is cut and stays terminated.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(request.name)), std::string(127, 'n'));
    EXPECT_STREQ(reinterpret_cast<const char *>(request.uniq), "u");
    EXPECT_EQ(request.bus, BUS_USB);
    EXPECT_EQ(request.vendor, 1u);
    EXPECT_EQ(request.product, 2u);
    EXPECT_EQ(request.version, 3u);
    const auto descriptor = sim::BoardReportDescriptor();
    ASSERT_EQ(request.rd_size, descriptor.size());
    EXPECT_EQ(std::memcmp(request.rd_data, descriptor.data(), descriptor.size()), 0);
    longNamed.destroy();
    ASSERT_EQ(::read(pair[0], &event, sizeof event), static_cast<ssize_t>(sizeof event));
    EXPECT_EQ(event.type, UHID_DESTROY);
    ::close(pair[0]);
}

TEST_F(UhidProtocol, FeatureRequestsAreAnsweredFromTheModel)
{
    make(true);
    uhid_event reply = getReport(7, UHID_FEATURE_REPORT);
    ASSERT_EQ(reply.type, UHID_GET_REPORT_REPLY);
    EXPECT_EQ(reply.u.get_report_reply.id, 7u);
    EXPECT_EQ(reply.u.get_report_reply.err, 0);
    ASSERT_EQ(reply.u.get_report_reply.size, 17);
    EXPECT_EQ(reply.u.get_report_reply.data[0], 0x00); // the report number, as usbhid puts it
    EXPECT_EQ(reply.u.get_report_reply.data[8], 6);    // default pulse length

    // The set request's data starts with the report number, as hidraw passes it on.
    uhid_event set{};
    set.type = UHID_SET_REPORT;
    set.u.set_report.id = 8;
    set.u.set_report.rtype = UHID_FEATURE_REPORT;
    set.u.set_report.size = 17;
    const std::uint8_t command[] = {0x00, 0xEE, 0x06, 0x02};
    std::memcpy(set.u.set_report.data, command, sizeof command);
    const auto happening = deliver(set);
    ASSERT_TRUE(happening);
    EXPECT_EQ(happening->kind, UhidHappening::Kind::SetFeature);
    EXPECT_EQ(happening->data.size(), 17u);
    reply = receive();
    EXPECT_EQ(reply.type, UHID_SET_REPORT_REPLY);
    EXPECT_EQ(reply.u.set_report_reply.id, 8u);
    EXPECT_EQ(reply.u.set_report_reply.err, 0);
    ASSERT_EQ(device->featureReports().size(), 1u);
    EXPECT_EQ(device->featureReports()[0].size(), 17u);
    EXPECT_EQ(getReport(9, UHID_FEATURE_REPORT).u.get_report_reply.data[8], 2);

    // A size beyond the event's data is cut to it, never read past.
    set.u.set_report.size = 0xFFFF;
    deliver(set);
    receive();
    EXPECT_EQ(device->featureReports().back().size(), static_cast<std::size_t>(UHID_DATA_MAX));
}

TEST_F(UhidProtocol, OtherReportsAndForeignDevicesAreRefused)
{
    make(true);
    EXPECT_EQ(getReport(1, UHID_INPUT_REPORT).u.get_report_reply.err, EIO);
    EXPECT_EQ(getReport(2, UHID_FEATURE_REPORT, 3).u.get_report_reply.err, EIO);
    make(false);
    const uhid_event reply = getReport(3, UHID_FEATURE_REPORT);
    EXPECT_EQ(reply.u.get_report_reply.err, EIO);
    EXPECT_EQ(reply.u.get_report_reply.size, 0);
}

TEST_F(UhidProtocol, InputGoesOutWithoutTheIdByte)
{
    make(true);
    std::string error;
    device->model()->setButtons(0x81);
    ASSERT_TRUE(device->pumpInput(0, error)) << error;
    const uhid_event input = receive();
    ASSERT_EQ(input.type, UHID_INPUT2);
    // The descriptor has no report IDs: seven data bytes, buttons 1 to 8 in the third.
    ASSERT_EQ(input.u.input2.size, 7);
    EXPECT_EQ(input.u.input2.data[2], 0x81);
    ASSERT_TRUE(device->pumpInput(0, error)) << error;
    EXPECT_EQ(receive().type, 0xFFFFu) << "an on-change board sends nothing without a change";

    uhid_event open{};
    open.type = UHID_OPEN;
    ASSERT_EQ(deliver(open)->kind, UhidHappening::Kind::Open);
    EXPECT_TRUE(device->isOpen());
    uhid_event close{};
    close.type = UHID_CLOSE;
    deliver(close);
    EXPECT_FALSE(device->isOpen());
}

} // namespace
} // namespace tamo::test
