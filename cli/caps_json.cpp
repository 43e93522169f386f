// SPDX-License-Identifier: GPL-3.0-or-later
#include "caps_json.h"

namespace tamo::cli {

namespace {

nlohmann::ordered_json HidpCapsToJson(const device::HIDP_CAPS &caps)
{
    nlohmann::ordered_json json;
    json["UsagePage"] = caps.UsagePage;
    json["Usage"] = caps.Usage;
    json["InputReportByteLength"] = caps.InputReportByteLength;
    json["OutputReportByteLength"] = caps.OutputReportByteLength;
    json["FeatureReportByteLength"] = caps.FeatureReportByteLength;
    json["NumberLinkCollectionNodes"] = caps.NumberLinkCollectionNodes;
    json["NumberInputButtonCaps"] = caps.NumberInputButtonCaps;
    json["NumberInputValueCaps"] = caps.NumberInputValueCaps;
    json["NumberInputDataIndices"] = caps.NumberInputDataIndices;
    json["NumberOutputButtonCaps"] = caps.NumberOutputButtonCaps;
    json["NumberOutputValueCaps"] = caps.NumberOutputValueCaps;
    json["NumberOutputDataIndices"] = caps.NumberOutputDataIndices;
    json["NumberFeatureButtonCaps"] = caps.NumberFeatureButtonCaps;
    json["NumberFeatureValueCaps"] = caps.NumberFeatureValueCaps;
    json["NumberFeatureDataIndices"] = caps.NumberFeatureDataIndices;
    return json;
}

nlohmann::ordered_json ValueCapsToJson(const device::HIDP_VALUE_CAPS &cap)
{
    nlohmann::ordered_json json;
    json["UsagePage"] = cap.UsagePage;
    json["ReportID"] = cap.ReportID;
    json["IsAlias"] = cap.IsAlias;
    json["BitField"] = cap.BitField;
    json["LinkCollection"] = cap.LinkCollection;
    json["LinkUsage"] = cap.LinkUsage;
    json["LinkUsagePage"] = cap.LinkUsagePage;
    json["IsRange"] = cap.IsRange;
    json["IsStringRange"] = cap.IsStringRange;
    json["IsDesignatorRange"] = cap.IsDesignatorRange;
    json["IsAbsolute"] = cap.IsAbsolute;
    json["HasNull"] = cap.HasNull;
    json["BitSize"] = cap.BitSize;
    json["ReportCount"] = cap.ReportCount;
    json["UnitsExp"] = cap.UnitsExp;
    json["Units"] = cap.Units;
    json["LogicalMin"] = cap.LogicalMin;
    json["LogicalMax"] = cap.LogicalMax;
    json["PhysicalMin"] = cap.PhysicalMin;
    json["PhysicalMax"] = cap.PhysicalMax;
    json["UsageMin"] = cap.UsageMin;
    json["UsageMax"] = cap.UsageMax;
    json["StringMin"] = cap.StringMin;
    json["StringMax"] = cap.StringMax;
    json["DesignatorMin"] = cap.DesignatorMin;
    json["DesignatorMax"] = cap.DesignatorMax;
    json["DataIndexMin"] = cap.DataIndexMin;
    json["DataIndexMax"] = cap.DataIndexMax;
    return json;
}

} // namespace

nlohmann::ordered_json CapsToJson(const device::HidCollectionCaps &collection)
{
    nlohmann::ordered_json json;
    json["hidp_caps"] = HidpCapsToJson(collection.caps);
    json["input_value_caps"] = nlohmann::ordered_json::array();
    for (const device::HIDP_VALUE_CAPS &cap : collection.inputValueCaps)
        json["input_value_caps"].push_back(ValueCapsToJson(cap));
    return json;
}

} // namespace tamo::cli
