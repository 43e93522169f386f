// SPDX-License-Identifier: GPL-3.0-or-later
#include "preparsed_data.h"

#include <algorithm>
#include <cstring>

namespace tamo::device {

PlatformHandle PreparsedDataTable::add(HidCollectionCaps collection)
{
    const PlatformHandle handle{next_++};
    entries_.emplace(handle.value, std::move(collection));
    return handle;
}

bool PreparsedDataTable::release(PlatformHandle preparsedData)
{
    return entries_.erase(preparsedData.value) == 1;
}

PlatformResult PreparsedDataTable::getCaps(PlatformHandle preparsedData, HIDP_CAPS &caps) const
{
    const auto found = entries_.find(preparsedData.value);
    if (found == entries_.end())
        return PlatformResult::failure("HidP_GetCaps: invalid preparsed data",
                                       HIDP_STATUS_INVALID_PREPARSED_DATA);
    caps = found->second.caps;
    return PlatformResult::success(HIDP_STATUS_SUCCESS);
}

PlatformResult PreparsedDataTable::getValueCaps(HIDP_REPORT_TYPE reportType,
                                                std::span<std::uint8_t> records,
                                                std::uint16_t &length,
                                                PlatformHandle preparsedData) const
{
    const auto found = entries_.find(preparsedData.value);
    if (found == entries_.end()) {
        length = 0;
        return PlatformResult::failure("HidP_GetValueCaps: invalid preparsed data",
                                       HIDP_STATUS_INVALID_PREPARSED_DATA);
    }
    const std::vector<HIDP_VALUE_CAPS> *caps = nullptr;
    switch (reportType) {
    case HIDP_REPORT_TYPE::HidP_Input:
        caps = &found->second.inputValueCaps;
        break;
    case HIDP_REPORT_TYPE::HidP_Output:
        caps = &found->second.outputValueCaps;
        break;
    case HIDP_REPORT_TYPE::HidP_Feature:
        caps = &found->second.featureValueCaps;
        break;
    default:
        length = 0;
        return PlatformResult::failure("HidP_GetValueCaps: invalid report type",
                                       HIDP_STATUS_INVALID_REPORT_TYPE);
    }
    if (caps->empty()) {
        length = 0;
        return PlatformResult::failure("HidP_GetValueCaps: no value caps of that type",
                                       HIDP_STATUS_USAGE_NOT_FOUND);
    }
    // The caller's count is trusted only as far as its buffer really reaches.
    const std::size_t capacity =
        std::min<std::size_t>(length, records.size() / sizeof(HIDP_VALUE_CAPS));
    const std::size_t written = std::min(capacity, caps->size());
    if (written > 0)
        std::memcpy(records.data(), caps->data(), written * sizeof(HIDP_VALUE_CAPS));
    length = static_cast<std::uint16_t>(written);
    if (written < caps->size())
        return PlatformResult::failure("HidP_GetValueCaps: buffer too small",
                                       HIDP_STATUS_BUFFER_TOO_SMALL);
    return PlatformResult::success(HIDP_STATUS_SUCCESS);
}

} // namespace tamo::device
