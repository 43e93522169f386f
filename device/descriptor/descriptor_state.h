// SPDX-License-Identifier: GPL-3.0-or-later
// The item state a report descriptor builds up between main items: the global items (kept
// until changed, across top-level collections too) and the local ones (cleared after every
// main item).
#pragma once

#include "descriptor_items.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tamo::device {

struct GlobalState {
    std::uint16_t usagePage = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t logicalMaximum = 0;
    std::int32_t physicalMinimum = 0;
    std::int32_t physicalMaximum = 0;
    std::uint32_t unitExponent = 0;
    std::uint32_t unit = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// One Usage, or one Usage Minimum/Maximum pair. Its page is fixed when the item is read.
struct UsageEntry {
    std::uint16_t page = 0;
    std::uint16_t minimum = 0;
    std::uint16_t maximum = 0;
    bool isRange = false;
    // Set on the second and later usages of one delimiter set: they alias the first.
    bool aliasesPrevious = false;
};

struct IndexRange {
    std::uint16_t minimum = 0;
    std::uint16_t maximum = 0;
    bool isRange = false;
};

struct LocalState {
    std::vector<UsageEntry> usages;
    // Usage Minimum/Maximum wait here until their partner arrives.
    bool haveMinimum = false;
    bool haveMaximum = false;
    UsageEntry pendingRange;
    IndexRange string;
    IndexRange designator;
    bool inDelimiterSet = false;
    bool delimiterSetStarted = false;

    // A lone Usage Minimum or Maximum becomes a range of that one usage. False when that
    // would push the usage list past its limit.
    bool flushPendingRange();
};

// Applies one global item other than Push and Pop, which the caller handles.
void ApplyGlobalItem(const DescriptorItem &item, GlobalState &globals);

// Applies one local item; globals supply the usage page of short usages. Returns false when
// the item would push the usage list past its limit.
bool ApplyLocalItem(const DescriptorItem &item, const GlobalState &globals, LocalState &locals);

} // namespace tamo::device
