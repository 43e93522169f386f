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
//   taps NAME BUTTON COUNT PRESS_MS GAP_MIN_MS GAP_MAX_MS SEED
//                              COUNT presses of BUTTON (1 to 32), each PRESS_MS long, after
//                              gaps drawn evenly from GAP_MIN_MS to GAP_MAX_MS (microsecond
//                              steps) by a generator seeded with SEED
//   bounce NAME BUTTON         a bouncing switch: pressed 5 ms, released 1.5 ms, pressed 3 ms,
//                              released 2 ms, pressed 40 ms, released
//   quit
// Numbers are decimal or 0x-prefixed hex. marker= is the whole of string 42; input= the input
// report length with its report-ID byte (8 to 64).
// taps and bounce send each change as one input report at the moment it is due (absolute
// CLOCK_MONOTONIC times from the first change), the other buttons as they were, and answer
// once the last one went: "ok taps NAME changes=N sent=US,US,..." with the CLOCK_MONOTONIC
// microseconds at which each change was handed to the device. The button must be released
// when the order comes, and a streaming board sends only these changes while they last.
#pragma once

#include "board_model.h"
#include "bytes_as_hex.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamo::orders {

enum class Verb {
    Create,
    Buttons,
    SelfTest,
    Status,
    Taps,
    Bounce,
    Unplug,
    Replug,
    Remove,
    Dump,
    Quit
};

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

// What a taps order asks for (a bounce order uses only the button).
struct TapOptions {
    int button = 1; // 1 to 32
    std::uint32_t count = 0;
    std::uint32_t pressMs = 0;
    std::uint32_t gapMinMs = 0;
    std::uint32_t gapMaxMs = 0;
    std::uint64_t seed = 0;
};

struct Order {
    Verb verb = Verb::Quit;
    std::string device;
    CreateOptions create;
    std::uint32_t value = 0;
    TapOptions taps;
};

// One change of a taps or bounce order: when it is due, in microseconds after the first, and
// the 32 buttons the report carries.
struct ScriptedChange {
    std::uint64_t atUs = 0;
    std::uint32_t buttons = 0;
};

// The changes of a taps or bounce order over the other buttons' state `others` (the order's
// own button is taken as released there), oldest first; empty for any other order.
std::vector<ScriptedChange> ScriptChanges(const Order &order, std::uint32_t others);

// The bit of a taps or bounce order's button.
std::uint32_t ScriptButtonBit(const Order &order);

// What follows "ok taps NAME" in the reply: "changes=N sent=US,US,...".
std::string ScriptReply(const std::vector<std::uint64_t> &sentUs);

const char *VerbName(Verb verb);

// Bytes as the board programs print them: two lower-case hex digits a byte, no separators.
inline std::string HexText(std::span<const std::uint8_t> bytes)
{
    return device::HexBytes(bytes, "", device::HexCase::Lower);
}

// What a buttons, selftest or status order sets in a board.
void ApplyToBoard(const Order &order, sim::BoardModel &model);

// Nothing, with error set, for a line that is not a well-formed order or that asks for what
// the transport cannot serve.
std::optional<Order> ParseOrder(std::string_view line, std::string &error,
                                Transport transport = Transport::Uhid);

} // namespace tamo::orders
