// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the caps of one top-level collection from its main items, in the order and with the
// field values the Windows HID parser gives them.
#pragma once

#include "collection_caps.h"
#include "descriptor_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tamo::device {

enum class ReportKind : std::uint8_t { Input = 0, Output = 1, Feature = 2 };

// What the whole descriptor has used so far of the limits that span collections.
struct ParseBudget {
    std::size_t caps = 0;
    std::size_t linkCollections = 0;
};

class CollectionBuilder {
public:
    // Starts with node 0, the top-level collection itself. Check the budget first with
    // canAddLinkCollection().
    CollectionBuilder(const GlobalState &globals, const LocalState &locals,
                      std::uint8_t collectionType, ParseBudget &budget);

    static bool canAddLinkCollection(const ParseBudget &budget);

    // A Collection nested inside this one. Returns an error text, empty on success.
    std::string openCollection(const GlobalState &globals, const LocalState &locals,
                               std::uint8_t collectionType, ParseBudget &budget);
    // Closes the innermost open collection; false once the top-level one is closed.
    bool closeCollection();

    // An Input, Output or Feature item. Returns an error text, empty on success.
    std::string addMainItem(ReportKind kind, std::uint32_t itemData, const GlobalState &globals,
                            const LocalState &locals, ParseBudget &budget);

    HidCollectionCaps finish() const;

private:
    struct StoredCap {
        bool isButton = false;
        HIDP_VALUE_CAPS fields;
    };
    struct Field {
        std::uint32_t firstUsage = 0; // index into the item's usage list
        std::uint32_t usageCount = 0; // more than one for a delimiter set
    };

    std::string addCaps(ReportKind kind, std::uint32_t itemData, const GlobalState &globals,
                        const std::vector<UsageEntry> &usages, const LocalState &locals,
                        ParseBudget &budget);
    HIDP_VALUE_CAPS makeCap(const UsageEntry &usage, std::uint32_t itemData,
                            const GlobalState &globals, const LocalState &locals) const;
    std::string takeDataIndices(ReportKind kind, std::uint32_t count, std::uint16_t &first);

    std::vector<HidLinkCollectionNode> nodes_;
    std::vector<std::uint16_t> open_;
    std::array<std::vector<StoredCap>, 3> caps_;
    std::array<std::uint32_t, 3> nextDataIndex_{};
    // Bits per report ID, report-ID byte included; 0 while the ID has no item of that kind.
    std::array<std::array<std::uint64_t, 256>, 3> reportBits_{};
};

} // namespace tamo::device
