// SPDX-License-Identifier: GPL-3.0-or-later
// Where each key of a JSON text stands, so that a message about a file can name the line.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tamo::cli {

// Line (from 1) of every object key, by its path "/settings/pulse_length" (keys as written,
// without unescaping; array members by index). Meant for text that parsed as JSON; on other
// text it stops quietly where it loses its way.
std::map<std::string, int> JsonKeyLines(std::string_view text);

// The line of a byte offset.
int LineOfOffset(std::string_view text, std::size_t offset);

} // namespace tamo::cli
