// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any byte string as a report descriptor. The parse must stay inside the
// input and its limits, and every collection must come back unchanged through the preparsed
// data table that answers HidP_GetCaps and HidP_GetValueCaps.
#include "preparsed_data.h"
#include "report_descriptor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace tamo::device;

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

void CheckCollection(const HidCollectionCaps &collection)
{
    const HIDP_CAPS &caps = collection.caps;
    FUZZ_CHECK(caps.NumberInputValueCaps == collection.inputValueCaps.size());
    FUZZ_CHECK(caps.NumberOutputValueCaps == collection.outputValueCaps.size());
    FUZZ_CHECK(caps.NumberFeatureValueCaps == collection.featureValueCaps.size());
    FUZZ_CHECK(caps.NumberInputButtonCaps == collection.inputButtonCaps.size());
    FUZZ_CHECK(caps.NumberLinkCollectionNodes == collection.linkCollectionNodes.size());
    FUZZ_CHECK(!collection.linkCollectionNodes.empty());
    for (std::size_t i = 1; i < collection.linkCollectionNodes.size(); ++i)
        FUZZ_CHECK(collection.linkCollectionNodes[i].Parent < i);
    for (const auto *list :
         {&collection.inputValueCaps, &collection.outputValueCaps, &collection.featureValueCaps})
        for (const HIDP_VALUE_CAPS &cap : *list) {
            FUZZ_CHECK(cap.LinkCollection < collection.linkCollectionNodes.size());
            FUZZ_CHECK(cap.DataIndexMin <= cap.DataIndexMax);
            FUZZ_CHECK(cap.IsRange || cap.UsageMin == cap.UsageMax);
        }
}

void CheckValueCapsRoundTrip(const PreparsedDataTable &table, PlatformHandle handle,
                             HIDP_REPORT_TYPE type, const std::vector<HIDP_VALUE_CAPS> &caps)
{
    // One spare record slot, so a write past the count would show.
    std::vector<std::uint8_t> buffer((caps.size() + 1) * sizeof(HIDP_VALUE_CAPS), 0xA5);
    std::uint16_t length = static_cast<std::uint16_t>(caps.size());
    const PlatformResult result = table.getValueCaps(type, buffer, length, handle);
    if (caps.empty()) {
        FUZZ_CHECK(!result.ok && length == 0);
        return;
    }
    FUZZ_CHECK(result.ok && length == caps.size());
    FUZZ_CHECK(std::memcmp(buffer.data(), caps.data(), caps.size() * sizeof(HIDP_VALUE_CAPS)) == 0);
    for (std::size_t i = caps.size() * sizeof(HIDP_VALUE_CAPS); i < buffer.size(); ++i)
        FUZZ_CHECK(buffer[i] == 0xA5);

    // A count one short is answered with as many records as asked for, and a failure.
    length = static_cast<std::uint16_t>(caps.size() - 1);
    FUZZ_CHECK(!table.getValueCaps(type, buffer, length, handle).ok);
    FUZZ_CHECK(length == caps.size() - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const DescriptorParse parse = ParseReportDescriptor({data, size});
    FUZZ_CHECK(parse.collections.size() <= descriptor_limits::TOP_LEVEL_COLLECTIONS);
    FUZZ_CHECK(parse.ok() || !parse.error.empty());

    PreparsedDataTable table;
    for (const HidCollectionCaps &collection : parse.collections) {
        CheckCollection(collection);
        const PlatformHandle handle = table.add(collection);
        HIDP_CAPS caps;
        FUZZ_CHECK(table.getCaps(handle, caps).ok);
        FUZZ_CHECK(caps == collection.caps);
        CheckValueCapsRoundTrip(table, handle, HIDP_REPORT_TYPE::HidP_Input,
                                collection.inputValueCaps);
        CheckValueCapsRoundTrip(table, handle, HIDP_REPORT_TYPE::HidP_Output,
                                collection.outputValueCaps);
        CheckValueCapsRoundTrip(table, handle, HIDP_REPORT_TYPE::HidP_Feature,
                                collection.featureValueCaps);
        FUZZ_CHECK(table.release(handle));
        FUZZ_CHECK(!table.release(handle));
        FUZZ_CHECK(!table.getCaps(handle, caps).ok);
    }
    return 0;
}
