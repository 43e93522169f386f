// SPDX-License-Identifier: GPL-3.0-or-later
// The line-based scenario format, UTF-8: one step or check a line, words split at blanks,
// "quoted words" kept whole (with \r, \n, \t, \", \\ and \uNNNN, any UTF-16 code unit, inside),
// key=value options, # comments.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tamo::scenario {

struct ScenarioLine {
    int number = 0;
    std::string source;
    std::vector<std::string> words;             // the command and its plain arguments
    std::map<std::string, std::string> options; // key=value arguments
};

// Lines that hold no words are left out. A line with an unclosed quote gives an error.
struct ParsedScript {
    std::vector<ScenarioLine> lines;
    std::string error;
};

ParsedScript ParseScenario(const std::string &text);

// The UTF-16 code units of a word; nothing when it is not UTF-8. A \uNNNN escape gives exactly
// its code unit, a lone surrogate or zero included.
std::optional<std::u16string> CodeUnits(const std::string &utf8);

// 0x-prefixed hex or decimal; nothing on anything else. long long, not long: long has 32 bits
// on Windows, and a button state such as 0xFFFFFFFF must parse there too.
std::optional<long long> ParseNumber(const std::string &word);

} // namespace tamo::scenario
