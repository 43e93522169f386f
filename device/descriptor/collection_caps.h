// SPDX-License-Identifier: GPL-3.0-or-later
// What the parser gives for one top-level collection, in the forms Windows' HID parser
// reports them, and the bounds it keeps: the types the parser's steps share.
#pragma once

#include "hid_records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamo::device {

// The fields HidP_GetButtonCaps reports for one button capability (its usage union in the
// range view, like HIDP_VALUE_CAPS).
struct HidButtonCaps {
    USAGE UsagePage = 0;
    std::uint8_t ReportID = 0;
    std::uint8_t IsAlias = 0;
    std::uint16_t BitField = 0;
    std::uint16_t LinkCollection = 0;
    USAGE LinkUsage = 0;
    USAGE LinkUsagePage = 0;
    std::uint8_t IsRange = 0;
    std::uint8_t IsStringRange = 0;
    std::uint8_t IsDesignatorRange = 0;
    std::uint8_t IsAbsolute = 0;
    USAGE UsageMin = 0;
    USAGE UsageMax = 0;
    std::uint16_t StringMin = 0;
    std::uint16_t StringMax = 0;
    std::uint16_t DesignatorMin = 0;
    std::uint16_t DesignatorMax = 0;
    std::uint16_t DataIndexMin = 0;
    std::uint16_t DataIndexMax = 0;
    friend bool operator==(const HidButtonCaps &, const HidButtonCaps &) = default;
};

// One node of HidP_GetLinkCollectionNodes: node 0 is the top-level collection.
struct HidLinkCollectionNode {
    USAGE LinkUsage = 0;
    USAGE LinkUsagePage = 0;
    std::uint16_t Parent = 0;
    std::uint16_t NumberOfChildren = 0;
    std::uint16_t NextSibling = 0;
    std::uint16_t FirstChild = 0;
    std::uint8_t CollectionType = 0;
    std::uint8_t IsAlias = 0;
    friend bool operator==(const HidLinkCollectionNode &, const HidLinkCollectionNode &) = default;
};

struct HidCollectionCaps {
    HIDP_CAPS caps;
    std::vector<HIDP_VALUE_CAPS> inputValueCaps;
    std::vector<HIDP_VALUE_CAPS> outputValueCaps;
    std::vector<HIDP_VALUE_CAPS> featureValueCaps;
    std::vector<HidButtonCaps> inputButtonCaps;
    std::vector<HidButtonCaps> outputButtonCaps;
    std::vector<HidButtonCaps> featureButtonCaps;
    std::vector<HidLinkCollectionNode> linkCollectionNodes;
};

// Bounds on what one descriptor may declare; going past one ends the parse with an error.
// Real devices stay far below them (the largest known has 232 caps in one collection).
namespace descriptor_limits {
inline constexpr std::size_t TOP_LEVEL_COLLECTIONS = 64;
inline constexpr std::size_t LINK_COLLECTIONS = 1024; // over all collections
inline constexpr std::size_t NESTING_DEPTH = 32;
inline constexpr std::size_t PUSH_DEPTH = 32;
inline constexpr std::size_t USAGES_PER_ITEM = 1024;
inline constexpr std::size_t CAPS = 8192; // over all collections and report types
// Report Size and Report Count of a main item must fit the caps' 16-bit fields, and a
// report's byte length, report ID included, HIDP_CAPS' 16-bit lengths: larger is an error,
// never silently clamped.
inline constexpr std::uint32_t FIELD_VALUE = 0xFFFF;
inline constexpr std::uint32_t REPORT_BYTES = 0xFFFF;
} // namespace descriptor_limits

} // namespace tamo::device
