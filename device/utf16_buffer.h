// SPDX-License-Identifier: GPL-3.0-or-later
// Text into the platform's string form: zero-terminated UTF-16LE in a caller's byte buffer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tamo::device {

// One step through UTF-8 text: the sequence at text[at], whole and well formed or not.
struct Utf8Sequence {
    bool wellFormed = false;
    // Its bytes; for an ill-formed one its maximal ill-formed part, at least 1.
    std::size_t length = 0;
    char32_t codePoint = 0;
};
// at < text.size(). Ill-formed: a stray continuation byte, a truncated or overlong sequence,
// an encoded surrogate, a value past U+10FFFF.
Utf8Sequence Utf8SequenceAt(std::string_view text, std::size_t at);

// Each maximal ill-formed subsequence (stray continuation byte, truncated or overlong
// sequence, encoded surrogate, value past U+10FFFF) becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Writes text from byte 0 and a zero code unit after it where one fits, as the HID string
// services do: a string that fills the buffer exactly has no terminator (the caller's buffer
// reaches past the bytes it offers). Never cut between the halves of a surrogate pair; bytes
// after the text are untouched. False, with nothing written, below one whole code unit.
bool WriteUtf16Le(std::u16string_view text, std::span<std::uint8_t> buffer);

} // namespace tamo::device
