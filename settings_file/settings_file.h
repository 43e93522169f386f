// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: a board's settings by the window's names, with the identity of the board
// they came from, as small versioned JSON that a person can read and edit:
//   {"format": "tamo-settings", "version": 1, "board": {...},
//    "encoders": {"B1+B2": "off", ...}, "pulse_length": "48 ms", "a_input": "Auto"}
#pragma once

#include "board_session.h"
#include "discovery.h"
#include "settings_plan.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tamo::settings_file {

inline constexpr int SETTINGS_FORMAT_VERSION = 1;
inline constexpr std::string_view SETTINGS_FORMAT = "tamo-settings";
// Far beyond any settings file; keeps a stray large file out.
inline constexpr std::size_t SETTINGS_FILE_MAX_BYTES = 1u << 20;
// A settings file nests two levels ("board", "encoders"); deeper text is refused before it is
// parsed.
inline constexpr std::size_t SETTINGS_FILE_MAX_DEPTH = 16;

// The board the settings came from, as text (UTF-8); informative only.
struct SourceBoard {
    std::optional<std::string> serialNumber;
    std::optional<std::string> manufacturer;
    std::optional<std::string> product;
    std::optional<std::string> version;
};

struct SettingsFile {
    config::SettingsRequest settings; // complete
    SourceBoard source;
};

// The board a file is saved from, as the file names it: its serial number, and the identity
// strings the board gave (the version is kept with the manufacturer).
SourceBoard SourceBoardOf(const device::SerialNumber &serial,
                          const config::BoardIdentity &identity);

// What tells the board a file came from apart from board ("serial number A1 (this board:
// B2)"): serial number, product and version, each where both name it. Empty for the same
// board or a file that names none.
std::vector<std::string> SourceDifferences(const SourceBoard &file, const SourceBoard &board);

// settings must be complete.
std::string WriteSettingsText(const SettingsFile &file);

// Checks the whole text before anything may be sent: it must be UTF-8 without a NUL byte, one
// JSON document and nothing after it, nested no deeper than SETTINGS_FILE_MAX_DEPTH, every
// number in range, no key twice in an object, our format, a version this program reads, with
// every setting present and named as the lists name it and no key it does not know. Never
// throws. On failure error reads "NAME:LINE: ..." and names the key; it is safe to print
// (Escaped).
std::optional<SettingsFile> ReadSettingsText(std::string_view text, std::string_view name,
                                             std::string &error);

// The file (or "-" for in) read and checked as above; error names the file.
std::optional<SettingsFile> ReadSettingsFile(const std::string &name, std::istream &in,
                                             std::string &error);

} // namespace tamo::settings_file
