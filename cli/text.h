// SPDX-License-Identifier: GPL-3.0-or-later
// Texts that came from a board or go to a log, made safe and readable for a terminal, JSON and
// CSV.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamo::cli {

// A board's string is one byte per character (the low byte of each UTF-16 code unit): read it
// as Latin-1 and give it as UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// For a terminal: UTF-8 as above, with control characters written as \xNN so that a board
// cannot move the cursor or clear the screen.
std::string Printable(std::string_view boardText);

// A label text from the board session (" " and the string) without its leading space.
std::string LabelValue(std::string_view labelText);

// "2026-12-08T18:31:02Z", or with milliseconds "2026-12-08T18:31:02.123Z".
std::string UtcTimestamp(std::int64_t unixMs, bool withMilliseconds = false);

// "00 EE 06 02"
std::string HexBytes(std::span<const std::uint8_t> bytes);

// One CSV field, always quoted, quotes doubled.
std::string CsvField(std::string_view text);

} // namespace tamo::cli
