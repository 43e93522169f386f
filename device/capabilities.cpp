// SPDX-License-Identifier: GPL-3.0-or-later
#include "capabilities.h"

#include "capabilities_report.h"

#include <algorithm>

namespace tamo::device {

CapabilitiesRead ReadCapabilities(HidPlatform &platform, BoardConnection &connection,
                                  ValueCapsArray &valueCaps)
{
    std::array<std::uint8_t, CAPABILITIES_SCRATCH_BYTES> scratch{};
    PlatformHandle preparsedData;
    RecordResult(connection,
                 platform.HidD_GetPreparsedData(connection.FeatureHandle, preparsedData),
                 LogSource::Discovery);
    const bool preparsed = connection.LastResult.ok;
    // Filled whole or not at all, so the record never mixes two boards.
    HIDP_CAPS caps = connection.Capabilities;
    RecordResult(connection, platform.HidP_GetCaps(preparsedData, caps), LogSource::Discovery);
    const bool readable = preparsed && connection.LastResult.ok;

    caps.NumberInputValueCaps =
        std::min<std::uint16_t>(caps.NumberInputValueCaps, VALUE_CAPS_RECORDS);
    RecordResult(connection,
                 platform.HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input, std::span(valueCaps),
                                            caps.NumberInputValueCaps, preparsedData),
                 LogSource::Discovery);
    if (readable)
        connection.Capabilities = caps;

    std::uint16_t scratchCount = CAPABILITIES_SCRATCH_BYTES / sizeof(HIDP_VALUE_CAPS);
    RecordResult(connection,
                 platform.HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input,
                                            std::span<std::uint8_t>(scratch), scratchCount,
                                            preparsedData),
                 LogSource::Discovery);
    CapabilitiesRead read{readable, CapabilitiesReport(valueCaps[0], scratchCount, scratch)};

    RecordResult(connection, platform.HidD_FreePreparsedData(preparsedData), LogSource::Discovery);
    return read;
}

} // namespace tamo::device
