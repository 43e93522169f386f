// SPDX-License-Identifier: GPL-3.0-or-later
// Texts that came from a board, a file or the system, made safe and readable wherever they are
// shown: a terminal, a log, a window, a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tamo::config {

// A board's string is one byte per character (the low byte of each UTF-16 code unit): read it
// as Latin-1 and give it as UTF-8.
std::string Latin1ToUtf8(std::string_view text);

// Text the system gives as UTF-8 (sysfs, a uevent's HID_UNIQ), unchecked, in the board's form:
// one byte per UTF-16 code unit, up to the first whose low byte is zero, as the window shows
// it, given as UTF-8. Ill-formed bytes count as U+FFFD.
std::string SystemText(std::string_view utf8);

// Where text stops being UTF-8; nothing when all of it is.
std::optional<std::size_t> InvalidUtf8At(std::string_view text);

// For a terminal or a log: UTF-8 text with the control characters (C0, DEL, C1) and every
// byte that is not UTF-8 written as \xNN, so that no text can move the cursor, clear the
// screen or start an escape sequence. Always valid UTF-8.
std::string Escaped(std::string_view utf8);

// A board's string for a terminal: Escaped(Latin1ToUtf8(boardText)).
std::string Printable(std::string_view boardText);

// A label text from the board session (" " and the string) without its leading space.
std::string LabelValue(std::string_view labelText);

} // namespace tamo::config
