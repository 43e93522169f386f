// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptor_state.h"

#include "collection_caps.h"

#include <utility>

namespace tamo::device {

namespace {

// A 4-byte usage is an extended usage: its high half names the page.
std::uint16_t PageOf(const DescriptorItem &item, const GlobalState &globals)
{
    return item.dataSize == 4 ? static_cast<std::uint16_t>(item.data >> 16) : globals.usagePage;
}

bool AddUsage(LocalState &locals, UsageEntry entry)
{
    if (locals.usages.size() >= descriptor_limits::USAGES_PER_ITEM)
        return false;
    entry.aliasesPrevious = locals.inDelimiterSet && locals.delimiterSetStarted;
    if (locals.inDelimiterSet)
        locals.delimiterSetStarted = true;
    locals.usages.push_back(entry);
    return true;
}

bool CompleteRange(LocalState &locals)
{
    if (!locals.haveMinimum || !locals.haveMaximum)
        return true;
    UsageEntry entry = locals.pendingRange;
    if (entry.maximum < entry.minimum)
        std::swap(entry.minimum, entry.maximum);
    entry.isRange = true;
    locals.haveMinimum = locals.haveMaximum = false;
    return AddUsage(locals, entry);
}

} // namespace

bool LocalState::flushPendingRange()
{
    if (haveMinimum == haveMaximum)
        return true;
    if (haveMinimum)
        pendingRange.maximum = pendingRange.minimum;
    else
        pendingRange.minimum = pendingRange.maximum;
    haveMinimum = haveMaximum = true;
    return CompleteRange(*this);
}

void ApplyGlobalItem(const DescriptorItem &item, GlobalState &globals)
{
    switch (item.tag) {
    case item_tag::UsagePage:
        globals.usagePage = static_cast<std::uint16_t>(item.data);
        break;
    case item_tag::LogicalMinimum:
        globals.logicalMinimum = item.signedData();
        break;
    case item_tag::LogicalMaximum:
        globals.logicalMaximum = item.signedData();
        break;
    case item_tag::PhysicalMinimum:
        globals.physicalMinimum = item.signedData();
        break;
    case item_tag::PhysicalMaximum:
        globals.physicalMaximum = item.signedData();
        break;
    case item_tag::UnitExponent:
        // Kept as given: Windows hands the raw nibble code out, not a decoded exponent.
        globals.unitExponent = item.data;
        break;
    case item_tag::Unit:
        globals.unit = item.data;
        break;
    case item_tag::ReportSize:
        globals.reportSize = item.data;
        break;
    case item_tag::ReportId:
        globals.reportId = static_cast<std::uint8_t>(item.data);
        break;
    case item_tag::ReportCount:
        globals.reportCount = item.data;
        break;
    default:
        break; // reserved tags carry nothing we use
    }
}

bool ApplyLocalItem(const DescriptorItem &item, const GlobalState &globals, LocalState &locals)
{
    const auto value = static_cast<std::uint16_t>(item.data);
    switch (item.tag) {
    case item_tag::Usage:
        return AddUsage(locals, UsageEntry{PageOf(item, globals), value, value, false, false});
    case item_tag::UsageMinimum:
        locals.pendingRange.page = PageOf(item, globals);
        locals.pendingRange.minimum = value;
        locals.haveMinimum = true;
        return CompleteRange(locals);
    case item_tag::UsageMaximum:
        if (!locals.haveMinimum)
            locals.pendingRange.page = PageOf(item, globals);
        locals.pendingRange.maximum = value;
        locals.haveMaximum = true;
        return CompleteRange(locals);
    case item_tag::DesignatorIndex:
        locals.designator = IndexRange{value, value, false};
        return true;
    case item_tag::DesignatorMinimum:
        locals.designator.minimum = value;
        locals.designator.isRange = true;
        return true;
    case item_tag::DesignatorMaximum:
        locals.designator.maximum = value;
        locals.designator.isRange = true;
        return true;
    case item_tag::StringIndex:
        locals.string = IndexRange{value, value, false};
        return true;
    case item_tag::StringMinimum:
        locals.string.minimum = value;
        locals.string.isRange = true;
        return true;
    case item_tag::StringMaximum:
        locals.string.maximum = value;
        locals.string.isRange = true;
        return true;
    case item_tag::Delimiter:
        // 1 opens a set of aliased usages, 0 closes it; anything unbalanced is ignored.
        locals.inDelimiterSet = item.data == 1;
        locals.delimiterSetStarted = false;
        return true;
    default:
        return true;
    }
}

} // namespace tamo::device
