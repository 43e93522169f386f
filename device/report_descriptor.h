// Turns a HID report descriptor into what the Windows HID parser reports for each top-level
// collection: HIDP_CAPS and the value-capabilities records in Windows' order.
#pragma once

#include "hid_records.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tamo::device {

struct HidCollectionCaps {
    HIDP_CAPS caps;
    std::vector<HIDP_VALUE_CAPS> inputValueCaps;
    std::vector<HIDP_VALUE_CAPS> outputValueCaps;
    std::vector<HIDP_VALUE_CAPS> featureValueCaps;
};

struct DescriptorParse {
    std::vector<HidCollectionCaps> collections;
    // Empty when the whole descriptor parsed; otherwise what was wrong and where. Collections
    // completed before the fault are still returned.
    std::string error;
    bool ok() const { return error.empty(); }
};

// Never reads outside descriptor, and bounds time and memory whatever the descriptor declares.
DescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace tamo::device
