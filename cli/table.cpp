// SPDX-License-Identifier: GPL-3.0-or-later
#include "table.h"

#include <algorithm>

namespace tamo::cli {

namespace {

// Characters, not bytes: continuation bytes of UTF-8 take no column.
std::size_t Columns(const std::string &text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

void PrintTable(std::ostream &out, const std::vector<std::vector<std::string>> &rows)
{
    std::vector<std::size_t> widths;
    for (const auto &row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths.resize(std::max(widths.size(), row.size()), 0);
            widths[i] = std::max(widths[i], Columns(row[i]));
        }
    for (const auto &row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            out << row[i];
            if (i + 1 < row.size())
                out << std::string(widths[i] - Columns(row[i]) + 2, ' ');
        }
        out << '\n';
    }
}

} // namespace tamo::cli
