// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_texts.h"

#include "hid_string.h"

#include <cstdio>
#include <utility>

namespace tamo::config {

namespace {

std::string Signed16(std::uint16_t value)
{
    return std::to_string(static_cast<std::int16_t>(value));
}

} // namespace

std::string CapabilitiesText(const device::HIDP_CAPS &caps)
{
    const std::pair<const char *, std::uint16_t> lines[] = {
        {"UsagePage ", caps.UsagePage},
        {"Usage ", caps.Usage},
        {"InputReportByteLength ", caps.InputReportByteLength},
        {"OutputReportByteLength ", caps.OutputReportByteLength},
        {"FeatureReportByteLength ", caps.FeatureReportByteLength},
        {"Reserved(0) ", caps.Reserved[0]},
        {"Reserved(1) ", caps.Reserved[1]},
        {"Reserved(15) ", caps.Reserved[15]},
        {"NumberLinkCollectionNodes ", caps.NumberLinkCollectionNodes},
        {"NumberInputButtonCaps ", caps.NumberInputButtonCaps},
        {"NumberInputValueCaps ", caps.NumberInputValueCaps},
        {"NumberInputDataIndices ", caps.NumberInputDataIndices},
        {"NumberOutputButtonCaps ", caps.NumberOutputButtonCaps},
        {"NumberOutputValueCaps ", caps.NumberOutputValueCaps},
        {"NumberOutputDataIndices ", caps.NumberOutputDataIndices},
        {"NumberFeatureButtonCaps ", caps.NumberFeatureButtonCaps},
        {"NumberFeatureValueCaps ", caps.NumberFeatureValueCaps},
        {"NumberFeatureDataIndices ", caps.NumberFeatureDataIndices},
    };
    std::string text;
    for (const auto &[label, value] : lines) {
        if (!text.empty())
            text += "\r\n";
        text += label;
        text += Signed16(value);
    }
    return text;
}

std::string VersionText(std::uint16_t versionNumber)
{
    const int v = static_cast<std::int16_t>(versionNumber);
    const int major = v >> 8; // arithmetic shift: floor(v / 256) for negative v too
    const int minor = v - 256 * major;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(minor));
    return " " + std::to_string(major) + "." + hex;
}

std::string IdentityLabelText(std::span<const std::uint8_t> stringBuffer)
{
    return " " + device::HidStringToText(stringBuffer);
}

std::vector<std::string> PulseLengthItems()
{
    std::vector<std::string> items;
    items.reserve(PULSE_LENGTH_ITEM_COUNT);
    for (int i = 0; i < PULSE_LENGTH_ITEM_COUNT; ++i)
        items.push_back(std::to_string(8 * (i + 1)) + " ms");
    return items;
}

} // namespace tamo::config
