// SPDX-License-Identifier: GPL-3.0-or-later
// The USB board without a kernel: its orders, its descriptors and what it answers on the
// control pipe, request by request as gadgetfs hands them up.
#include "board_descriptors.h"
#include "board_function.h"
#include "board_identity.h"
#include "board_orders.h"
#include "report_descriptor.h"
#include "usb_host.h"

#include <gtest/gtest.h>

namespace tamo::test {
namespace {

using usb::ControlAnswer;
using usb::ControlRequest;

orders::Order Create(const std::string &line)
{
    std::string error;
    auto order = orders::ParseOrder(line, error, orders::Transport::Usb);
    EXPECT_TRUE(order) << error;
    return order.value_or(orders::Order{});
}

usb::BoardFunction Board(const std::string &line)
{
    usb::UsbIdentity identity;
    std::optional<sim::BoardModel> model;
    std::string error;
    EXPECT_TRUE(usb::BuildDevice(Create(line), identity, model, error)) << error;
    return usb::BoardFunction(std::move(identity), std::move(model));
}

ControlRequest GetString(std::uint8_t index, std::uint16_t length = 255)
{
    return {0x80, 0x06, static_cast<std::uint16_t>(0x0300 | index), 0x0409, length};
}

std::u16string Text(const std::vector<std::uint8_t> &descriptor)
{
    std::u16string text;
    for (std::size_t i = 2; i + 1 < descriptor.size(); i += 2)
        text += static_cast<char16_t>(descriptor[i] | descriptor[i + 1] << 8);
    return text;
}

TEST(UsbBoardOrders, UsbOptionsAreRefusedOnlyForUhid)
{
    const orders::Order order =
        Create(R"(create b marker="tAMO x" manufacturer=none input=64 product="P 1")");
    EXPECT_EQ(order.create.marker.text, "tAMO x");
    EXPECT_TRUE(order.create.manufacturer.none);
    EXPECT_EQ(order.create.inputLength, 64);
    std::string error;
    for (const char *line : {"create b input=7", "create b input=65", "create b input=x"})
        EXPECT_FALSE(orders::ParseOrder(line, error, orders::Transport::Usb)) << line;
    for (const char *line : {"create b marker=Tamo", "create b manufacturer=V", "create b input=8"})
        EXPECT_FALSE(orders::ParseOrder(line, error)) << line;
}

TEST(UsbBoardDescriptors, AFullSpeedHidDeviceWithTheChosenIdentity)
{
    usb::BoardFunction board = Board("create b pid=0x1234 version=0x0110 manufacturer=none");
    const usb::UsbIdentity &identity = board.identity();
    const auto device = usb::DeviceDescriptor(identity);
    ASSERT_EQ(device.size(), 18u);
    EXPECT_EQ(device[8] | device[9] << 8, device::VENDOR_ID);
    EXPECT_EQ(device[10] | device[11] << 8, 0x1234);
    EXPECT_EQ(device[12] | device[13] << 8, 0x0110);
    // No manufacturer string: its index is 0, and asking for string 1 stalls.
    EXPECT_EQ(device[14], 0);
    EXPECT_EQ(device[15], usb::kProductIndex);
    EXPECT_EQ(device[16], usb::kSerialIndex);
    EXPECT_EQ(board.setup(GetString(1)).kind, ControlAnswer::Kind::Stall);

    const auto config = usb::ConfigurationDescriptor(identity);
    ASSERT_EQ(config.size(), static_cast<std::size_t>(config[2] | config[3] << 8));
    // Interface class HID; the HID descriptor gives the report descriptor's length; the
    // endpoint is interrupt IN 0x81, polled every frame, 7 bytes (8 less the ID byte).
    EXPECT_EQ(config[9 + 5], 0x03);
    EXPECT_EQ(config[18 + 7] | config[18 + 8] << 8, identity.reportDescriptor.size());
    EXPECT_EQ(std::vector<std::uint8_t>(config.end() - 7, config.end()),
              (std::vector<std::uint8_t>{7, 5, 0x81, 3, 7, 0, 1}));
}

TEST(UsbBoardDescriptors, TheReportDescriptorGrowsOnlyItsPad)
{
    for (const std::uint16_t length : {8, 9, 64}) {
        const auto parse = device::ParseReportDescriptor(sim::BoardReportDescriptor(length));
        ASSERT_FALSE(parse.collections.empty()) << parse.error;
        EXPECT_EQ(parse.collections.front().caps.InputReportByteLength, length);
        EXPECT_EQ(parse.collections.front().caps.FeatureReportByteLength, 17);
    }
}

TEST(UsbBoardControl, StringsTheMarkerAndTheirLimits)
{
    usb::BoardFunction board = Board(R"(create b serial=S-1 marker="TAMO board")");
    const ControlAnswer languages = board.setup(GetString(0));
    EXPECT_EQ(languages.data, (std::vector<std::uint8_t>{4, 3, 0x09, 0x04}));
    EXPECT_EQ(Text(board.setup(GetString(3)).data), u"S-1");
    const ControlAnswer marker = board.setup(GetString(42));
    EXPECT_EQ(Text(marker.data), u"TAMO board");
    EXPECT_EQ(marker.event, "string 42");
    // The host asks for 2 bytes first on some systems: the header, with the whole length.
    EXPECT_EQ(board.setup(GetString(42, 2)).data, (std::vector<std::uint8_t>{22, 3}));
    EXPECT_EQ(board.setup(GetString(41)).kind, ControlAnswer::Kind::Stall);

    usb::BoardFunction without = Board("create b marker=none");
    const ControlAnswer none = without.setup(GetString(42));
    EXPECT_EQ(none.kind, ControlAnswer::Kind::Stall);
    EXPECT_EQ(none.event, "string 42 stalled");

    // A string longer than a descriptor holds is cut at 126 code units.
    usb::BoardFunction longer = Board("create b product=" + std::string(300, 'x'));
    const ControlAnswer cut = longer.setup(GetString(2));
    EXPECT_EQ(cut.data.size(), 254u);
    EXPECT_EQ(cut.data[0], 254);
}

TEST(UsbBoardControl, FeatureReportsTravelWithoutTheIdByteOnTheWire)
{
    usb::BoardFunction board = Board("create b");
    const ControlRequest set{0x21, 0x09, 0x0300, 0, 16};
    ASSERT_EQ(board.setup(set).kind, ControlAnswer::Kind::TakeData);
    std::vector<std::uint8_t> command(16, 0);
    command[0] = 0xEE;
    command[1] = 0x06;
    command[2] = 0x02;
    EXPECT_EQ(board.dataOut(set, command), "set 00ee0602" + std::string(26, '0'));
    ASSERT_EQ(board.featureReports().size(), 1u);
    EXPECT_EQ(board.featureReports()[0].size(), 17u);

    // The reply leaves out the ID byte, so the pulse length (code 6) is in byte 7, not 8.
    const ControlAnswer reply = board.setup({0xA1, 0x01, 0x0300, 0, 16});
    ASSERT_EQ(reply.kind, ControlAnswer::Kind::Data);
    ASSERT_EQ(reply.data.size(), 16u);
    EXPECT_EQ(reply.data[7], 0x02);
    EXPECT_EQ(board.setup({0xA1, 0x01, 0x0300, 0, 4}).data.size(), 4u);

    // Report IDs the board does not have, and output reports, are refused.
    EXPECT_EQ(board.setup({0xA1, 0x01, 0x0301, 0, 16}).kind, ControlAnswer::Kind::Stall);
    const ControlRequest output{0x21, 0x09, 0x0200, 0, 2};
    ASSERT_EQ(board.setup(output).kind, ControlAnswer::Kind::TakeData);
    EXPECT_EQ(board.dataOut(output, std::vector<std::uint8_t>{1, 2}), "refused 000102");
    EXPECT_EQ(board.featureReports().size(), 1u);
}

TEST(UsbBoardControl, AForeignDeviceHasNoFeatureReportsAndNoMarker)
{
    usb::BoardFunction mouse = Board("create m kind=foreign");
    EXPECT_NE(mouse.identity().vendorId, device::VENDOR_ID);
    EXPECT_EQ(mouse.setup({0xA1, 0x01, 0x0300, 0, 16}).kind, ControlAnswer::Kind::Stall);
    EXPECT_EQ(mouse.setup(GetString(42)).kind, ControlAnswer::Kind::Stall);
    EXPECT_EQ(mouse.setup({0x81, 0x06, 0x2200, 0, 255}).data, sim::MouseReportDescriptor());
    // Requests the device does not know stall; SET_CONFIGURATION and SET_IDLE do not.
    EXPECT_EQ(mouse.setup({0xC0, 0x01, 0, 0, 4}).kind, ControlAnswer::Kind::Stall);
    EXPECT_EQ(mouse.setup({0x00, 0x09, 1, 0, 0}).kind, ControlAnswer::Kind::Configure);
    EXPECT_EQ(mouse.setup({0x21, 0x0A, 0, 0, 0}).kind, ControlAnswer::Kind::Ack);
}

} // namespace
} // namespace tamo::test
