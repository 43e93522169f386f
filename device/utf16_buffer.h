// Text into the platform's string form: zero-terminated UTF-16LE in a caller's byte buffer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamo::device {

// Each maximal ill-formed subsequence (stray continuation byte, truncated or overlong
// sequence, encoded surrogate, value past U+10FFFF) becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Writes text and a zero code unit from byte 0, cut so that the terminator still fits and
// never between the halves of a surrogate pair; bytes after the terminator are untouched.
// False, with nothing written, when the buffer cannot hold even the terminator.
bool WriteUtf16Le(std::u16string_view text, std::span<std::uint8_t> buffer);

} // namespace tamo::device
