// SPDX-License-Identifier: GPL-3.0-or-later
// Turns a HID report descriptor into what the Windows HID parser reports for each top-level
// collection: HIDP_CAPS and the value-capabilities records in Windows' order.
#pragma once

#include "collection_caps.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tamo::device {

struct DescriptorParse {
    std::vector<HidCollectionCaps> collections;
    // Empty when the whole descriptor parsed; otherwise the first fault and its byte offset.
    // Faults that can be stepped over (a stray End Collection or Pop, a main item outside any
    // collection, a long item) are skipped and parsing goes on; the others end it. Every
    // collection completed before the end is returned.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Never reads outside descriptor, and bounds time and memory whatever the descriptor declares.
DescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace tamo::device
