// SPDX-License-Identifier: GPL-3.0-or-later
// Preparsed data for platforms without a HID parser service: the caps of one top-level
// collection behind an opaque handle, answered as HidP_GetCaps and HidP_GetValueCaps do.
#pragma once

#include "collection_caps.h"
#include "platform_result.h"

#include <cstdint>
#include <map>
#include <span>

namespace tamo::device {

class PreparsedDataTable {
public:
    PlatformHandle add(HidCollectionCaps collection);
    bool release(PlatformHandle preparsedData);
    std::size_t size() const { return entries_.size(); }

    PlatformResult getCaps(PlatformHandle preparsedData, HIDP_CAPS &caps) const;
    PlatformResult getValueCaps(HIDP_REPORT_TYPE reportType, std::span<std::uint8_t> records,
                                std::uint16_t &length, PlatformHandle preparsedData) const;

private:
    std::map<std::uintptr_t, HidCollectionCaps> entries_;
    std::uintptr_t next_ = 1;
};

} // namespace tamo::device
