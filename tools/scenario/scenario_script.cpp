#include "scenario_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace tamo::scenario {

namespace {

// A quoted word is marked so that an '=' inside it is never read as an option.
constexpr char kQuotedMark = '\x01';

bool SplitWords(const std::string &line, std::vector<std::string> &words)
{
    std::string word;
    bool inWord = false;
    bool quoted = false;
    bool escaped = false;
    for (char c : line) {
        if (escaped) {
            word.push_back(c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c);
            escaped = false;
            continue;
        }
        if (quoted) {
            if (c == '\\')
                escaped = true;
            else if (c == '"')
                quoted = false;
            else
                word.push_back(c);
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
        if (!SplitWords(WithoutComment(line), words)) {
            script.error = "line " + std::to_string(number) + ": unclosed quote";
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
