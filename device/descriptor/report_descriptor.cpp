// SPDX-License-Identifier: GPL-3.0-or-later
#include "report_descriptor.h"

#include "collection_builder.h"
#include "descriptor_items.h"
#include "descriptor_state.h"

#include <optional>
#include <utility>

namespace tamo::device {

namespace {

const char *MainItemName(std::uint8_t tag)
{
    switch (tag) {
    case item_tag::Input:
        return "Input";
    case item_tag::Output:
        return "Output";
    case item_tag::Feature:
        return "Feature";
    case item_tag::Collection:
        return "Collection";
    default:
        return "End Collection";
    }
}

std::string At(const std::string &what, std::size_t offset)
{
    return what + " at byte offset " + std::to_string(offset);
}

// One pass over the item stream. Global state runs through the whole descriptor, across
// top-level collections, as the Windows parser keeps it.
class DescriptorParser {
public:
    explicit DescriptorParser(std::span<const std::uint8_t> descriptor)
        : reader_(descriptor)
        , bytes_(descriptor.size())
    {}

    DescriptorParse run()
    {
        DescriptorItem item;
        while (!stopped_) {
            const auto status = reader_.next(item);
            if (status == DescriptorItemReader::Status::End)
                break;
            if (status == DescriptorItemReader::Status::Truncated) {
                stop(reader_.error());
                break;
            }
            handle(item);
        }
        if (!stopped_ && collection_)
            stop("descriptor ends inside the collection opened at byte offset "
                 + std::to_string(collectionOffset_));
        if (!stopped_ && result_.collections.empty())
            stop(At("descriptor ends without a top-level collection", bytes_));
        return std::move(result_);
    }

private:
    // A fault after which nothing more is trusted.
    void stop(std::string error)
    {
        if (result_.error.empty())
            result_.error = std::move(error);
        stopped_ = true;
    }
    // A fault the parse can step over; only the first is reported.
    void note(std::string error)
    {
        if (result_.error.empty())
            result_.error = std::move(error);
    }

    void handle(const DescriptorItem &item)
    {
        if (item.isLong) {
            note(At("long item (no long items are defined) skipped", item.offset));
            return;
        }
        switch (item.type) {
        case ItemType::Main:
            handleMain(item);
            break;
        case ItemType::Global:
            handleGlobal(item);
            break;
        case ItemType::Local:
            if (!ApplyLocalItem(item, globals_, locals_))
                stop(At("more than " + std::to_string(descriptor_limits::USAGES_PER_ITEM)
                            + " usages for one main item",
                        item.offset));
            break;
        case ItemType::Reserved:
            break;
        }
    }

    void handleGlobal(const DescriptorItem &item)
    {
        if (item.tag == item_tag::Push) {
            if (pushed_.size() >= descriptor_limits::PUSH_DEPTH)
                stop(At("Push deeper than " + std::to_string(descriptor_limits::PUSH_DEPTH),
                        item.offset));
            else
                pushed_.push_back(globals_);
            return;
        }
        if (item.tag == item_tag::Pop) {
            if (pushed_.empty()) {
                note(At("Pop without a matching Push", item.offset));
                return;
            }
            globals_ = pushed_.back();
            pushed_.pop_back();
            return;
        }
        ApplyGlobalItem(item, globals_);
    }

    void handleMain(const DescriptorItem &item)
    {
        if (!locals_.flushPendingRange()) {
            stop(At("more than " + std::to_string(descriptor_limits::USAGES_PER_ITEM)
                        + " usages for one main item",
                    item.offset));
            return;
        }
        switch (item.tag) {
        case item_tag::Collection:
            openCollection(item);
            break;
        case item_tag::EndCollection:
            closeCollection(item);
            break;
        case item_tag::Input:
            addMainItem(item, ReportKind::Input);
            break;
        case item_tag::Output:
            addMainItem(item, ReportKind::Output);
            break;
        case item_tag::Feature:
            addMainItem(item, ReportKind::Feature);
            break;
        default:
            break; // reserved main tags, e.g. zero bytes padding a descriptor's end
        }
        locals_ = LocalState{};
    }

    void openCollection(const DescriptorItem &item)
    {
        const auto type = static_cast<std::uint8_t>(item.data);
        if (!collection_) {
            if (result_.collections.size() >= descriptor_limits::TOP_LEVEL_COLLECTIONS) {
                stop(At("more than " + std::to_string(descriptor_limits::TOP_LEVEL_COLLECTIONS)
                            + " top-level collections",
                        item.offset));
                return;
            }
            if (!CollectionBuilder::canAddLinkCollection(budget_)) {
                stop(At("more than " + std::to_string(descriptor_limits::LINK_COLLECTIONS)
                            + " collections",
                        item.offset));
                return;
            }
            collection_.emplace(globals_, locals_, type, budget_);
            collectionOffset_ = item.offset;
            depth_ = 1;
            return;
        }
        if (depth_ >= descriptor_limits::NESTING_DEPTH) {
            stop(At("collections nested deeper than "
                        + std::to_string(descriptor_limits::NESTING_DEPTH),
                    item.offset));
            return;
        }
        if (std::string error = collection_->openCollection(globals_, locals_, type, budget_);
            !error.empty()) {
            stop(At(error, item.offset));
            return;
        }
        ++depth_;
    }

    void closeCollection(const DescriptorItem &item)
    {
        if (!collection_) {
            note(At("End Collection without an open collection", item.offset));
            return;
        }
        --depth_;
        if (collection_->closeCollection())
            return;
        result_.collections.push_back(collection_->finish());
        collection_.reset();
    }

    void addMainItem(const DescriptorItem &item, ReportKind kind)
    {
        if (!collection_) {
            note(At(std::string{MainItemName(item.tag)} + " item outside any collection skipped",
                    item.offset));
            return;
        }
        if (std::string error =
                collection_->addMainItem(kind, item.data, globals_, locals_, budget_);
            !error.empty())
            stop(At(std::string{MainItemName(item.tag)} + " item: " + error, item.offset));
    }

    DescriptorItemReader reader_;
    std::size_t bytes_ = 0;
    DescriptorParse result_;
    bool stopped_ = false;
    GlobalState globals_;
    LocalState locals_;
    std::vector<GlobalState> pushed_;
    std::optional<CollectionBuilder> collection_;
    std::size_t collectionOffset_ = 0;
    std::size_t depth_ = 0;
    ParseBudget budget_;
};

} // namespace

DescriptorParse ParseReportDescriptor(std::span<const std::uint8_t> descriptor)
{
    return DescriptorParser(descriptor).run();
}

} // namespace tamo::device
