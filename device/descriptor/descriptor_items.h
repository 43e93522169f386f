// SPDX-License-Identifier: GPL-3.0-or-later
// Splits a report descriptor into its items. The bytes come from a device, so every length is
// checked against what is really there before a byte is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tamo::device {

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

namespace item_tag {
// Main items
inline constexpr std::uint8_t Input = 0x8;
inline constexpr std::uint8_t Output = 0x9;
inline constexpr std::uint8_t Collection = 0xA;
inline constexpr std::uint8_t Feature = 0xB;
inline constexpr std::uint8_t EndCollection = 0xC;
// Global items
inline constexpr std::uint8_t UsagePage = 0x0;
inline constexpr std::uint8_t LogicalMinimum = 0x1;
inline constexpr std::uint8_t LogicalMaximum = 0x2;
inline constexpr std::uint8_t PhysicalMinimum = 0x3;
inline constexpr std::uint8_t PhysicalMaximum = 0x4;
inline constexpr std::uint8_t UnitExponent = 0x5;
inline constexpr std::uint8_t Unit = 0x6;
inline constexpr std::uint8_t ReportSize = 0x7;
inline constexpr std::uint8_t ReportId = 0x8;
inline constexpr std::uint8_t ReportCount = 0x9;
inline constexpr std::uint8_t Push = 0xA;
inline constexpr std::uint8_t Pop = 0xB;
// Local items
inline constexpr std::uint8_t Usage = 0x0;
inline constexpr std::uint8_t UsageMinimum = 0x1;
inline constexpr std::uint8_t UsageMaximum = 0x2;
inline constexpr std::uint8_t DesignatorIndex = 0x3;
inline constexpr std::uint8_t DesignatorMinimum = 0x4;
inline constexpr std::uint8_t DesignatorMaximum = 0x5;
inline constexpr std::uint8_t StringIndex = 0x7;
inline constexpr std::uint8_t StringMinimum = 0x8;
inline constexpr std::uint8_t StringMaximum = 0x9;
inline constexpr std::uint8_t Delimiter = 0xA;
} // namespace item_tag

struct DescriptorItem {
    std::size_t offset = 0; // of the prefix byte
    ItemType type = ItemType::Main;
    std::uint8_t tag = 0;
    std::uint8_t dataSize = 0; // 0, 1, 2 or 4 for short items
    std::uint32_t data = 0;    // little-endian, zero-extended
    bool isLong = false;       // long items carry no data here; their bytes are skipped

    // The data sign-extended from its own size, as logical and physical extents are read.
    std::int32_t signedData() const;
};

class DescriptorItemReader {
public:
    explicit DescriptorItemReader(std::span<const std::uint8_t> descriptor)
        : bytes_(descriptor)
    {}

    enum class Status { Item, End, Truncated };

    // On Truncated, error() says which item overran the descriptor; the reader stays there.
    Status next(DescriptorItem &item);
    const std::string &error() const { return error_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    std::string error_;
};

} // namespace tamo::device
