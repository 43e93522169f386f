// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection_builder.h"

#include <algorithm>

namespace tamo::device {

namespace {

constexpr std::uint32_t MAIN_CONSTANT = 0x01;
constexpr std::uint32_t MAIN_VARIABLE = 0x02;
constexpr std::uint32_t MAIN_RELATIVE = 0x04;
constexpr std::uint32_t MAIN_NULL_STATE = 0x40;

const char *KindName(ReportKind kind)
{
    switch (kind) {
    case ReportKind::Input:
        return "input";
    case ReportKind::Output:
        return "output";
    default:
        return "feature";
    }
}

std::uint32_t UsageSpan(const UsageEntry &usage)
{
    return usage.isRange ? std::uint32_t{usage.maximum} - usage.minimum + 1 : 1;
}

HidLinkCollectionNode MakeNode(const GlobalState &globals, const LocalState &locals,
                               std::uint8_t collectionType)
{
    HidLinkCollectionNode node;
    // Without a Usage the node still takes the current Usage Page.
    node.LinkUsagePage = globals.usagePage;
    if (!locals.usages.empty()) {
        node.LinkUsagePage = locals.usages.front().page;
        node.LinkUsage = locals.usages.front().minimum;
    }
    node.CollectionType = collectionType;
    return node;
}

HidButtonCaps ToButtonCaps(const HIDP_VALUE_CAPS &cap)
{
    HidButtonCaps button;
    button.UsagePage = cap.UsagePage;
    button.ReportID = cap.ReportID;
    button.IsAlias = cap.IsAlias;
    button.BitField = cap.BitField;
    button.LinkCollection = cap.LinkCollection;
    button.LinkUsage = cap.LinkUsage;
    button.LinkUsagePage = cap.LinkUsagePage;
    button.IsRange = cap.IsRange;
    button.IsStringRange = cap.IsStringRange;
    button.IsDesignatorRange = cap.IsDesignatorRange;
    button.IsAbsolute = cap.IsAbsolute;
    button.UsageMin = cap.UsageMin;
    button.UsageMax = cap.UsageMax;
    button.StringMin = cap.StringMin;
    button.StringMax = cap.StringMax;
    button.DesignatorMin = cap.DesignatorMin;
    button.DesignatorMax = cap.DesignatorMax;
    button.DataIndexMin = cap.DataIndexMin;
    button.DataIndexMax = cap.DataIndexMax;
    return button;
}

} // namespace

bool CollectionBuilder::canAddLinkCollection(const ParseBudget &budget)
{
    return budget.linkCollections < descriptor_limits::LINK_COLLECTIONS;
}

CollectionBuilder::CollectionBuilder(const GlobalState &globals, const LocalState &locals,
                                     std::uint8_t collectionType, ParseBudget &budget)
{
    nodes_.push_back(MakeNode(globals, locals, collectionType));
    open_.push_back(0);
    ++budget.linkCollections;
}

std::string CollectionBuilder::openCollection(const GlobalState &globals, const LocalState &locals,
                                              std::uint8_t collectionType, ParseBudget &budget)
{
    if (!canAddLinkCollection(budget))
        return "more than " + std::to_string(descriptor_limits::LINK_COLLECTIONS) + " collections";
    const auto index = static_cast<std::uint16_t>(nodes_.size());
    HidLinkCollectionNode node = MakeNode(globals, locals, collectionType);
    // Children are linked newest first: the parent points at its last-declared child, and
    // each child at the sibling declared before it.
    HidLinkCollectionNode &parent = nodes_[open_.back()];
    node.Parent = open_.back();
    node.NextSibling = parent.FirstChild;
    parent.FirstChild = index;
    ++parent.NumberOfChildren;
    nodes_.push_back(node);
    open_.push_back(index);
    ++budget.linkCollections;
    return {};
}

bool CollectionBuilder::closeCollection()
{
    if (!open_.empty())
        open_.pop_back();
    return !open_.empty();
}

std::string CollectionBuilder::takeDataIndices(ReportKind kind, std::uint32_t count,
                                               std::uint16_t &first)
{
    std::uint32_t &next = nextDataIndex_[static_cast<std::size_t>(kind)];
    // Data indices and their number in HIDP_CAPS are 16-bit.
    if (count > 0xFFFFu - next)
        return std::string{"more than 65535 "} + KindName(kind) + " data indices";
    first = static_cast<std::uint16_t>(next);
    next += count;
    return {};
}

HIDP_VALUE_CAPS CollectionBuilder::makeCap(const UsageEntry &usage, std::uint32_t itemData,
                                           const GlobalState &globals,
                                           const LocalState &locals) const
{
    const std::uint16_t link = open_.back();
    HIDP_VALUE_CAPS cap;
    cap.UsagePage = usage.page;
    cap.ReportID = globals.reportId;
    cap.BitField = static_cast<std::uint16_t>(itemData);
    cap.LinkCollection = link;
    cap.LinkUsage = nodes_[link].LinkUsage;
    cap.LinkUsagePage = nodes_[link].LinkUsagePage;
    cap.IsRange = usage.isRange ? 1 : 0;
    cap.IsStringRange = locals.string.isRange ? 1 : 0;
    cap.IsDesignatorRange = locals.designator.isRange ? 1 : 0;
    cap.IsAbsolute = (itemData & MAIN_RELATIVE) ? 0 : 1;
    cap.HasNull = (itemData & MAIN_NULL_STATE) ? 1 : 0;
    cap.BitSize = static_cast<std::uint16_t>(globals.reportSize);
    cap.UnitsExp = globals.unitExponent;
    cap.Units = globals.unit;
    cap.LogicalMin = globals.logicalMinimum;
    cap.LogicalMax = globals.logicalMaximum;
    cap.PhysicalMin = globals.physicalMinimum;
    cap.PhysicalMax = globals.physicalMaximum;
    // A single usage keeps min = max copies in the union's reserved halves.
    cap.UsageMin = usage.minimum;
    cap.UsageMax = usage.maximum;
    cap.StringMin = locals.string.minimum;
    cap.StringMax = locals.string.isRange ? locals.string.maximum : locals.string.minimum;
    cap.DesignatorMin = locals.designator.minimum;
    cap.DesignatorMax =
        locals.designator.isRange ? locals.designator.maximum : locals.designator.minimum;
    return cap;
}

std::string CollectionBuilder::addMainItem(ReportKind kind, std::uint32_t itemData,
                                           const GlobalState &globals, const LocalState &locals,
                                           ParseBudget &budget)
{
    if (globals.reportSize > descriptor_limits::FIELD_VALUE)
        return "Report Size " + std::to_string(globals.reportSize) + " does not fit 16 bits";
    if (globals.reportCount > descriptor_limits::FIELD_VALUE)
        return "Report Count " + std::to_string(globals.reportCount) + " does not fit 16 bits";

    // Every item counts toward the report length, padding and cap-less items too, and the
    // report-ID byte is counted even when the device declares no IDs.
    std::uint64_t &bits = reportBits_[static_cast<std::size_t>(kind)][globals.reportId];
    if (bits == 0)
        bits = 8;
    bits += std::uint64_t{globals.reportSize} * globals.reportCount;
    if ((bits + 7) / 8 > descriptor_limits::REPORT_BYTES)
        return std::string{KindName(kind)} + " report " + std::to_string(globals.reportId)
               + " is longer than " + std::to_string(descriptor_limits::REPORT_BYTES) + " bytes";

    if (globals.reportCount == 0)
        return {};
    const bool constant = (itemData & MAIN_CONSTANT) != 0;
    const bool variable = (itemData & MAIN_VARIABLE) != 0;
    if (locals.usages.empty()) {
        if (constant)
            return {}; // padding
        // A data item without any usage still describes data: it gets a usage-0 cap.
        return addCaps(kind, itemData, globals, {UsageEntry{globals.usagePage, 0, 0, false, false}},
                       locals, budget);
    }
    if (constant) {
        const bool onlyUsageZero =
            std::all_of(locals.usages.begin(), locals.usages.end(),
                        [](const UsageEntry &u) { return !u.isRange && u.minimum == 0; });
        if (!variable || onlyUsageZero)
            return {};
    }
    return addCaps(kind, itemData, globals, locals.usages, locals, budget);
}

std::string CollectionBuilder::addCaps(ReportKind kind, std::uint32_t itemData,
                                       const GlobalState &globals,
                                       const std::vector<UsageEntry> &usages,
                                       const LocalState &locals, ParseBudget &budget)
{
    std::vector<StoredCap> &stored = caps_[static_cast<std::size_t>(kind)];
    const bool variable = (itemData & MAIN_VARIABLE) != 0;
    const bool isButton = !variable || globals.reportSize == 1;

    // Group the usages into fields: a delimiter set is one field with aliases. Arrays cannot
    // alias, so there every usage stands alone.
    std::vector<Field> fields;
    for (std::uint32_t i = 0; i < usages.size(); ++i) {
        if (variable && usages[i].aliasesPrevious && !fields.empty())
            ++fields.back().usageCount;
        else
            fields.push_back(Field{i, 1});
    }
    // A variable item uses only as many usages as it has fields; the rest are dropped.
    if (variable && fields.size() > globals.reportCount)
        fields.resize(globals.reportCount);

    std::size_t capCount = 0;
    for (const Field &field : fields)
        capCount += field.usageCount;
    if (capCount > descriptor_limits::CAPS - budget.caps)
        return "more than " + std::to_string(descriptor_limits::CAPS) + " caps";
    budget.caps += capCount;

    if (!variable) {
        // Array: every usage covers all fields. Data indices go in declaration order, the
        // caps are stored last-declared first.
        std::vector<HIDP_VALUE_CAPS> made;
        for (const Field &field : fields) {
            const UsageEntry &usage = usages[field.firstUsage];
            HIDP_VALUE_CAPS cap = makeCap(usage, itemData, globals, locals);
            cap.ReportCount = static_cast<std::uint16_t>(globals.reportCount);
            if (std::string error = takeDataIndices(kind, UsageSpan(usage), cap.DataIndexMin);
                !error.empty())
                return error;
            cap.DataIndexMax = static_cast<std::uint16_t>(cap.DataIndexMin + UsageSpan(usage) - 1);
            made.push_back(cap);
        }
        for (auto cap = made.rbegin(); cap != made.rend(); ++cap)
            stored.push_back(StoredCap{true, *cap});
        return {};
    }

    // Variable: field k has one report field, the last one takes all that remain. Caps are
    // stored last field first, and data indices follow that stored order.
    for (std::size_t k = fields.size(); k-- > 0;) {
        const Field &field = fields[k];
        const auto reportCount = static_cast<std::uint16_t>(
            k + 1 == fields.size() ? globals.reportCount - fields.size() + 1 : 1);
        std::uint32_t span = 0;
        for (std::uint32_t a = 0; a < field.usageCount; ++a)
            span = std::max(span, UsageSpan(usages[field.firstUsage + a]));
        std::uint16_t firstIndex = 0;
        if (std::string error = takeDataIndices(kind, span, firstIndex); !error.empty())
            return error;
        // Aliases: the last-declared is stored first; all but the last stored are aliases.
        for (std::uint32_t a = field.usageCount; a-- > 0;) {
            const UsageEntry &usage = usages[field.firstUsage + a];
            HIDP_VALUE_CAPS cap = makeCap(usage, itemData, globals, locals);
            cap.IsAlias = a > 0 ? 1 : 0;
            // HidP_GetValueCaps shows a usage range as one field.
            cap.ReportCount = usage.isRange && !isButton ? 1 : reportCount;
            cap.DataIndexMin = firstIndex;
            cap.DataIndexMax = static_cast<std::uint16_t>(firstIndex + UsageSpan(usage) - 1);
            stored.push_back(StoredCap{isButton, cap});
        }
    }
    return {};
}

HidCollectionCaps CollectionBuilder::finish() const
{
    HidCollectionCaps result;
    HIDP_CAPS &caps = result.caps;
    caps.UsagePage = nodes_.front().LinkUsagePage;
    caps.Usage = nodes_.front().LinkUsage;
    caps.NumberLinkCollectionNodes = static_cast<std::uint16_t>(nodes_.size());
    result.linkCollectionNodes = nodes_;

    std::vector<HIDP_VALUE_CAPS> *valueLists[3] = {&result.inputValueCaps, &result.outputValueCaps,
                                                   &result.featureValueCaps};
    std::vector<HidButtonCaps> *buttonLists[3] = {&result.inputButtonCaps, &result.outputButtonCaps,
                                                  &result.featureButtonCaps};
    std::uint16_t lengths[3] = {};
    for (std::size_t k = 0; k < 3; ++k) {
        for (const StoredCap &cap : caps_[k]) {
            if (cap.isButton)
                buttonLists[k]->push_back(ToButtonCaps(cap.fields));
            else
                valueLists[k]->push_back(cap.fields);
        }
        std::uint64_t bits = 0;
        for (std::uint64_t reportBits : reportBits_[k])
            bits = std::max(bits, reportBits);
        lengths[k] = static_cast<std::uint16_t>((bits + 7) / 8);
    }
    caps.InputReportByteLength = lengths[0];
    caps.OutputReportByteLength = lengths[1];
    caps.FeatureReportByteLength = lengths[2];
    caps.NumberInputButtonCaps = static_cast<std::uint16_t>(result.inputButtonCaps.size());
    caps.NumberInputValueCaps = static_cast<std::uint16_t>(result.inputValueCaps.size());
    caps.NumberInputDataIndices = static_cast<std::uint16_t>(nextDataIndex_[0]);
    caps.NumberOutputButtonCaps = static_cast<std::uint16_t>(result.outputButtonCaps.size());
    caps.NumberOutputValueCaps = static_cast<std::uint16_t>(result.outputValueCaps.size());
    caps.NumberOutputDataIndices = static_cast<std::uint16_t>(nextDataIndex_[1]);
    caps.NumberFeatureButtonCaps = static_cast<std::uint16_t>(result.featureButtonCaps.size());
    caps.NumberFeatureValueCaps = static_cast<std::uint16_t>(result.featureValueCaps.size());
    caps.NumberFeatureDataIndices = static_cast<std::uint16_t>(nextDataIndex_[2]);
    return result;
}

} // namespace tamo::device
