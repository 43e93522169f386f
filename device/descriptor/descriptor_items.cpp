// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptor_items.h"

#include <cstdio>

namespace tamo::device {

namespace {
constexpr std::uint8_t LONG_ITEM_PREFIX = 0xFE;
}

std::int32_t DescriptorItem::signedData() const
{
    switch (dataSize) {
    case 1:
        return static_cast<std::int8_t>(data & 0xFF);
    case 2:
        return static_cast<std::int16_t>(data & 0xFFFF);
    case 4:
        return static_cast<std::int32_t>(data);
    default:
        return 0;
    }
}

DescriptorItemReader::Status DescriptorItemReader::next(DescriptorItem &item)
{
    if (position_ >= bytes_.size())
        return Status::End;
    const std::size_t offset = position_;
    const std::size_t left = bytes_.size() - offset - 1;
    const std::uint8_t prefix = bytes_[offset];

    item = DescriptorItem{};
    item.offset = offset;
    if (prefix == LONG_ITEM_PREFIX) {
        // bDataSize, bLongItemTag, then the data.
        if (left < 2 || left - 2 < bytes_[offset + 1]) {
            error_ = "long item at byte offset " + std::to_string(offset)
                     + " runs past the end of the descriptor";
            return Status::Truncated;
        }
        item.type = ItemType::Reserved;
        item.tag = bytes_[offset + 2];
        item.isLong = true;
        position_ = offset + 3 + bytes_[offset + 1];
        return Status::Item;
    }

    static constexpr std::uint8_t SIZES[4] = {0, 1, 2, 4};
    const std::uint8_t size = SIZES[prefix & 0x3];
    if (left < size) {
        char prefixText[8];
        std::snprintf(prefixText, sizeof prefixText, "0x%02X", prefix);
        error_ = std::string{"item "} + prefixText + " at byte offset " + std::to_string(offset)
                 + " needs " + std::to_string(size) + " data bytes but only " + std::to_string(left)
                 + " remain";
        return Status::Truncated;
    }
    item.type = static_cast<ItemType>((prefix >> 2) & 0x3);
    item.tag = static_cast<std::uint8_t>(prefix >> 4);
    item.dataSize = size;
    for (std::uint8_t i = 0; i < size; ++i)
        item.data |= static_cast<std::uint32_t>(bytes_[offset + 1 + i]) << (8 * i);
    position_ = offset + 1 + size;
    return Status::Item;
}

} // namespace tamo::device
