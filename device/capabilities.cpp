#include "capabilities.h"

#include "capabilities_report.h"

#include <algorithm>

namespace tamo::device {

std::string ReadCapabilities(HidPlatform &platform, BoardConnection &connection,
                             ValueCapsArray &valueCaps)
{
    std::array<std::uint8_t, CAPABILITIES_SCRATCH_BYTES> scratch{};
    PlatformHandle preparsedData;
    connection.LastResult = platform.HidD_GetPreparsedData(connection.FeatureHandle, preparsedData);
    connection.LastResult = platform.HidP_GetCaps(preparsedData, connection.Capabilities);

    connection.Capabilities.NumberInputValueCaps =
        std::min<std::uint16_t>(connection.Capabilities.NumberInputValueCaps, VALUE_CAPS_RECORDS);
    connection.LastResult =
        platform.HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input, std::span(valueCaps),
                                   connection.Capabilities.NumberInputValueCaps, preparsedData);

    std::uint16_t scratchCount = CAPABILITIES_SCRATCH_BYTES / sizeof(HIDP_VALUE_CAPS);
    connection.LastResult =
        platform.HidP_GetValueCaps(HIDP_REPORT_TYPE::HidP_Input, std::span<std::uint8_t>(scratch),
                                   scratchCount, preparsedData);
    std::string report = CapabilitiesReport(valueCaps[0], scratchCount, scratch);

    connection.LastResult = platform.HidD_FreePreparsedData(preparsedData);
    return report;
}

} // namespace tamo::device
