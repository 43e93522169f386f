// SPDX-License-Identifier: GPL-3.0-or-later
// The board's self-diagnostic: one request sent and one reply read as feature reports. The
// request is 00 E1 and zeros; reply byte 1 is 0 for a pass or the number of the failing input.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tamo::config {

// The report ID and SELFTEST_REQUEST.
inline constexpr std::uint16_t SELFTEST_REPORT_MIN_LENGTH = 2;

// featureReportByteLength bytes, zero-filled, with 00 E1 in front. Empty when the board's
// feature report cannot hold the request: treat that as a failed transfer.
std::vector<std::uint8_t> BuildSelfTestRequest(std::uint16_t featureReportByteLength);

// What TestResult and Text1 show after a press.
struct SelfTestDisplay {
    std::string testResult; // "Passed", "Failed on B<n>" or "No reply from board"
    std::string text1;      // "<byte 0> <byte 1>", empty without a reply
    friend bool operator==(const SelfTestDisplay &, const SelfTestDisplay &) = default;
};

// transfersSucceeded: both the request and the reply transfer succeeded. A failed transfer
// leaves the zero-filled reply looking like a pass, so it is never read; neither is a reply
// shorter than two bytes.
SelfTestDisplay SelfTestResult(std::span<const std::uint8_t> reply, bool transfersSucceeded);

} // namespace tamo::config
