// SPDX-License-Identifier: GPL-3.0-or-later
// The diagnostic report of a board's input value capabilities: the fields of the first record,
// one per line, then the number of records and the raw bytes of the records as returned.
#pragma once

#include "hid_records.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tamo::device {

// The raw query holds as many whole HIDP_VALUE_CAPS records as fit in this many bytes (14).
inline constexpr std::size_t CAPABILITIES_SCRATCH_BYTES = 1024;

// The longest report: every field and byte at its widest.
inline constexpr std::size_t CAPABILITIES_REPORT_MAX_LENGTH = 4661;

// "UsagePage <v>", CR LF + "Label <v>" for the other 27 fields (16-bit fields signed, bytes
// unsigned, 32-bit fields signed), " " CR LF "ValueCapsLength <n>" CR LF, then " <byte>" for
// every scratch byte; no line break at either end.
std::string CapabilitiesReport(const HIDP_VALUE_CAPS &record0, std::uint16_t valueCapsLength,
                               std::span<const std::uint8_t, CAPABILITIES_SCRATCH_BYTES> scratch);

} // namespace tamo::device
