// SPDX-License-Identifier: GPL-3.0-or-later
// The input read over a hidraw node (or any descriptor that delivers one report per read()):
// a non-blocking drain of every queued report into the caller's buffer, each one
// InputReportByteLength bytes, report ID first.
#pragma once

#include "platform_result.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tamo::device {

struct InputReportFormat {
    // One report as the caller sees it, report-ID byte included.
    std::size_t reportLength = 0;
    // hidraw delivers reports of a device without report IDs without any ID byte.
    bool usesReportIds = false;
};

// Whether the descriptor declares any Report ID item. Walks items only, never past its end.
bool DescriptorUsesReportIds(std::span<const std::uint8_t> descriptor);

// Reads every queued report and leaves in buffer the newest ones that fit, whole, oldest
// first (so the last one is always the newest); returns at once, also on a blocking
// descriptor. name goes into error texts.
ReadResult DrainInputReports(int fd, std::string_view name, InputReportFormat format,
                             std::span<std::uint8_t> buffer, std::uint32_t &bytesRead);

} // namespace tamo::device
