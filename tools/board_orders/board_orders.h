// SPDX-License-Identifier: GPL-3.0-or-later
// The orders that the board programs (tamo-uhid-board, tamo-usb-board) take on their standard
// input, one a line:
//   create NAME [kind=board|foreign] [serial=S] [vid=N] [pid=N] [version=N]
//               [product="TEXT"] [stream=10ms|onchange]
//               USB only: [manufacturer="TEXT"|none] [marker="TEXT"|none] [input=N]
//   buttons NAME BITS          the 32 buttons, bit 0 is button 1
//   selftest NAME N            the result byte of the next self-test reply
//   status NAME N              the status byte of the configuration reply
//   unplug NAME | replug NAME  destroy the device, and create it again with the same board
//   remove NAME                destroy it and forget it
//   dump NAME                  every feature report the board received, as hex
//   quit
// Numbers are decimal or 0x-prefixed hex. marker= is the whole of string 42; input= the input
// report length with its report-ID byte (8 to 64).
#pragma once

#include "board_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamo::orders {

enum class Verb { Create, Buttons, SelfTest, Status, Unplug, Replug, Remove, Dump, Quit };

// What the device behind a program can be: a uhid device has no USB device above it, so no
// string 42 and no manufacturer string, and its report descriptor is the board's own.
enum class Transport { Uhid, Usb };

// A text option given as "none" means the device has no such string.
struct TextOption {
    std::optional<std::string> text;
    bool none = false;
};

struct CreateOptions {
    bool foreign = false;
    std::optional<std::string> serial;
    std::optional<std::string> product;
    TextOption manufacturer;
    TextOption marker;
    std::optional<std::uint16_t> inputLength;
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
    std::optional<std::uint16_t> version;
    sim::InputMode inputMode = sim::InputMode::Streaming;
    std::uint32_t streamPeriodMs = 10;
};

struct Order {
    Verb verb = Verb::Quit;
    std::string device;
    CreateOptions create;
    std::uint32_t value = 0;
};

const char *VerbName(Verb verb);

// What a buttons, selftest or status order sets in a board.
void ApplyToBoard(const Order &order, sim::BoardModel &model);

// Nothing, with error set, for a line that is not a well-formed order or that asks for what
// the transport cannot serve.
std::optional<Order> ParseOrder(std::string_view line, std::string &error,
                                Transport transport = Transport::Uhid);

} // namespace tamo::orders
