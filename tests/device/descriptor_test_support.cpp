// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptor_test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>

namespace tamo::device::testing {

namespace {

template<typename Record>
using Fields = std::map<std::string, std::function<std::int64_t(const Record &)>>;

#define TAMO_FIELD(name)                                                                           \
    {                                                                                              \
#name, [](const auto &r) -> std::int64_t {                                                 \
            return r.name;                                                                         \
        }                                                                                          \
    }

const Fields<HIDP_CAPS> &CapsFields()
{
    static const Fields<HIDP_CAPS> fields{
        TAMO_FIELD(UsagePage),
        TAMO_FIELD(Usage),
        TAMO_FIELD(InputReportByteLength),
        TAMO_FIELD(OutputReportByteLength),
        TAMO_FIELD(FeatureReportByteLength),
        TAMO_FIELD(NumberLinkCollectionNodes),
        TAMO_FIELD(NumberInputButtonCaps),
        TAMO_FIELD(NumberInputValueCaps),
        TAMO_FIELD(NumberInputDataIndices),
        TAMO_FIELD(NumberOutputButtonCaps),
        TAMO_FIELD(NumberOutputValueCaps),
        TAMO_FIELD(NumberOutputDataIndices),
        TAMO_FIELD(NumberFeatureButtonCaps),
        TAMO_FIELD(NumberFeatureValueCaps),
        TAMO_FIELD(NumberFeatureDataIndices),
    };
    return fields;
}

// Fields that value and button caps share.
template<typename Record>
Fields<Record> CommonCapFields()
{
    return {
        TAMO_FIELD(UsagePage),         TAMO_FIELD(ReportID),       TAMO_FIELD(IsAlias),
        TAMO_FIELD(BitField),          TAMO_FIELD(LinkCollection), TAMO_FIELD(LinkUsage),
        TAMO_FIELD(LinkUsagePage),     TAMO_FIELD(IsRange),        TAMO_FIELD(IsStringRange),
        TAMO_FIELD(IsDesignatorRange), TAMO_FIELD(IsAbsolute),     TAMO_FIELD(UsageMin),
        TAMO_FIELD(UsageMax),          TAMO_FIELD(StringMin),      TAMO_FIELD(StringMax),
        TAMO_FIELD(DesignatorMin),     TAMO_FIELD(DesignatorMax),  TAMO_FIELD(DataIndexMin),
        TAMO_FIELD(DataIndexMax),
    };
}

const Fields<HIDP_VALUE_CAPS> &ValueCapsFields()
{
    static const Fields<HIDP_VALUE_CAPS> fields = [] {
        Fields<HIDP_VALUE_CAPS> f = CommonCapFields<HIDP_VALUE_CAPS>();
        f.insert({TAMO_FIELD(HasNull), TAMO_FIELD(BitSize), TAMO_FIELD(ReportCount),
                  TAMO_FIELD(UnitsExp), TAMO_FIELD(Units), TAMO_FIELD(LogicalMin),
                  TAMO_FIELD(LogicalMax), TAMO_FIELD(PhysicalMin), TAMO_FIELD(PhysicalMax)});
        return f;
    }();
    return fields;
}

const Fields<HidLinkCollectionNode> &LinkNodeFields()
{
    static const Fields<HidLinkCollectionNode> fields{
        TAMO_FIELD(LinkUsage),        TAMO_FIELD(LinkUsagePage), TAMO_FIELD(Parent),
        TAMO_FIELD(NumberOfChildren), TAMO_FIELD(NextSibling),   TAMO_FIELD(FirstChild),
        TAMO_FIELD(CollectionType),   TAMO_FIELD(IsAlias),
    };
    return fields;
}

#undef TAMO_FIELD

template<typename Record>
void ExpectFields(const nlohmann::json &expected, const Record &actual,
                  const Fields<Record> &fields)
{
    ASSERT_TRUE(expected.is_object());
    for (const auto &[key, value] : expected.items()) {
        if (key.starts_with('_'))
            continue;
        const auto field = fields.find(key);
        if (field == fields.end()) {
            ADD_FAILURE() << "expected record names an unknown field " << key;
            continue;
        }
        const std::int64_t want = value;
        EXPECT_EQ(field->second(actual), want) << "field " << key;
    }
}

} // namespace

std::vector<std::uint8_t> HexBytes(const std::string &hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

void ExpectCapsEqual(const nlohmann::json &expected, const HIDP_CAPS &actual)
{
    ExpectFields(expected, actual, CapsFields());
    for (std::uint16_t reserved : actual.Reserved)
        EXPECT_EQ(reserved, 0);
}

void ExpectValueCapsEqual(const nlohmann::json &expected, const HIDP_VALUE_CAPS &actual)
{
    ExpectFields(expected, actual, ValueCapsFields());
    EXPECT_EQ(actual.Reserved, 0);
    for (std::uint16_t reserved : actual.Reserved2)
        EXPECT_EQ(reserved, 0);
}

void ExpectButtonCapsEqual(const nlohmann::json &expected, const HidButtonCaps &actual)
{
    static const Fields<HidButtonCaps> fields = CommonCapFields<HidButtonCaps>();
    ExpectFields(expected, actual, fields);
}

void ExpectLinkNodeEqual(const nlohmann::json &expected, const HidLinkCollectionNode &actual)
{
    ExpectFields(expected, actual, LinkNodeFields());
}

} // namespace tamo::device::testing
