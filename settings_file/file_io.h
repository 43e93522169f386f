// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the files a user names, with the reason when it fails.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

namespace tamo::settings_file {

// The whole file, or "-" for in; nothing (and error) when it cannot be read or is larger than
// maxBytes.
std::optional<std::string> ReadWholeFile(const std::string &name, std::istream &in,
                                         std::size_t maxBytes, std::string &error);

// Writes a file of a unique name beside the target and renames it into place, so a failed
// write never leaves half a file where a good one was. Kind to what is there: a symbolic link
// is followed (the file it points to is replaced, the link stays), the target's permissions
// (and, where the system lets us, its owner) are kept, and a target that is write-protected
// (no write permission for us, or none for anyone) or not a regular file is refused. error
// names the file as the user gave it.
bool ReplaceFile(const std::string &name, const std::string &text, std::string &error);

// Both names are one file that exists (through links, other spellings of the path).
bool SameFile(const std::string &a, const std::string &b);

} // namespace tamo::settings_file
