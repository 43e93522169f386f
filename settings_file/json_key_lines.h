// SPDX-License-Identifier: GPL-3.0-or-later
// Where each key of a JSON text stands, so that a message about a file can name the line, and
// what the parser does not look at: a key given twice and nesting deeper than we read.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tamo::settings_file {

struct JsonOutline {
    // Line (from 1) of every object key, by its path "/settings/pulse_length" (keys unescaped,
    // array members by index); a key given twice keeps its first line.
    std::map<std::string, int> keyLines;
    // The first key given twice in one object: its path and the line of the second.
    std::optional<std::pair<std::string, int>> duplicate;
    // The line where the nesting first goes deeper than maxDepth; the scan stops there.
    std::optional<int> tooDeep;
};

// Meant for text that parses as JSON; on other text it stops quietly where it loses its way,
// and only tooDeep is to be trusted. Walks the text once, never deeper than maxDepth.
JsonOutline OutlineJson(std::string_view text, std::size_t maxDepth);

// The line of a byte offset.
int LineOfOffset(std::string_view text, std::size_t offset);

} // namespace tamo::settings_file
