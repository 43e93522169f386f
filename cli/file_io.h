// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the files a user names, with the reason when it fails.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace tamo::cli {

// The whole file, or "-" for in; nothing (and error) when it cannot be read or is larger than
// maxBytes.
std::optional<std::string> ReadWholeFile(const std::string &name, std::istream &in,
                                         std::size_t maxBytes, std::string &error);

// Writes beside the file and renames it into place, so a failed write never leaves half a
// file where a good one was.
bool ReplaceFile(const std::string &name, const std::string &text, std::string &error);

} // namespace tamo::cli
