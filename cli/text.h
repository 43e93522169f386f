// SPDX-License-Identifier: GPL-3.0-or-later
// Texts that came from a board or go to a log, made safe and readable for a terminal, JSON and
// CSV.
#pragma once

#include "safe_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tamo::cli {

using config::Escaped;
using config::InvalidUtf8At;
using config::LabelValue;
using config::Latin1ToUtf8;
using config::Printable;
using config::SystemText;

// "2026-12-08T18:31:02Z", or with milliseconds "2026-12-08T18:31:02.123Z".
std::string UtcTimestamp(std::int64_t unixMs, bool withMilliseconds = false);

// "00 EE 06 02"
std::string HexBytes(std::span<const std::uint8_t> bytes);

// One CSV field of UTF-8 text, safe to open in a spreadsheet: always quoted, quotes doubled,
// control characters escaped as Escaped() does (so a record is one line), and a field that
// starts with =, +, -, @, tab or CR led by ' so that no spreadsheet takes it for a formula.
std::string CsvField(std::string_view utf8);

} // namespace tamo::cli
