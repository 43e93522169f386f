// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace tamo::scenario {

namespace {

// A quoted word is marked so that an '=' inside it is never read as an option.
constexpr char kQuotedMark = '\x01';

// Appends code unit as UTF-8; a lone surrogate gets the three-byte form, so any code unit a
// script names survives the trip to UTF-16.
void AppendCodeUnit(std::string &out, char32_t unit)
{
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char>(0xC0 | unit >> 6));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | unit >> 12));
        out.push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

std::optional<char32_t> HexCodeUnit(const std::string &line, std::size_t at)
{
    if (at + 4 > line.size())
        return std::nullopt;
    char32_t unit = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = line[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        unit = unit << 4 | static_cast<char32_t>(digit);
    }
    return unit;
}

// False with error set on an unclosed quote or a bad \u escape.
bool SplitWords(const std::string &line, std::vector<std::string> &words, std::string &error)
{
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\\' && i + 1 < line.size()) {
                const char e = line[++i];
                if (e == 'u') {
                    const std::optional<char32_t> unit = HexCodeUnit(line, i + 1);
                    if (!unit) {
                        error = "\\u needs four hex digits";
                        return false;
                    }
                    AppendCodeUnit(word, *unit);
                    i += 4;
                } else {
                    word.push_back(e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e);
                }
            } else if (c == '"') {
                quoted = false;
            } else {
                word.push_back(c);
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            if (!inWord)
                word.push_back(kQuotedMark);
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    if (quoted)
        error = "unclosed quote";
    return !quoted;
}

std::string WithoutComment(const std::string &line)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '#' && !quoted)
            return line.substr(0, i);
    }
    return line;
}

} // namespace

ParsedScript ParseScenario(const std::string &text)
{
    ParsedScript script;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> words;
        std::string error;
        if (!SplitWords(WithoutComment(line), words, error)) {
            script.error = "line " + std::to_string(number) + ": " + error;
            return script;
        }
        if (words.empty())
            continue;
        ScenarioLine parsed;
        parsed.number = number;
        parsed.source = line;
        for (const std::string &word : words) {
            if (!word.empty() && word[0] == kQuotedMark) {
                parsed.words.push_back(word.substr(1));
                continue;
            }
            const auto eq = word.find('=');
            if (eq != std::string::npos && eq > 0 && !parsed.words.empty()) {
                std::string value = word.substr(eq + 1);
                if (!value.empty() && value[0] == kQuotedMark)
                    value.erase(0, 1);
                parsed.options[word.substr(0, eq)] = value;
            } else {
                parsed.words.push_back(word);
            }
        }
        script.lines.push_back(std::move(parsed));
    }
    return script;
}

std::optional<std::u16string> CodeUnits(const std::string &utf8)
{
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80             ? 1
                           : (lead & 0xE0) == 0xC0 ? 2
                           : (lead & 0xF0) == 0xE0 ? 3
                           : (lead & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (length == 0 || i + length > utf8.size())
            return std::nullopt;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            point = point << 6 | (next & 0x3F);
        }
        if (point > 0x10FFFF)
            return std::nullopt;
        if (point >= 0x10000) {
            point -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(point));
        }
        i += static_cast<std::size_t>(length);
    }
    return units;
}

std::optional<long long> ParseNumber(const std::string &word)
{
    if (word.empty())
        return std::nullopt;
    errno = 0;
    char *end = nullptr;
    const long long value = std::strtoll(word.c_str(), &end, 0);
    if (errno != 0 || end == word.c_str() || *end != '\0')
        return std::nullopt;
    return value;
}

} // namespace tamo::scenario
