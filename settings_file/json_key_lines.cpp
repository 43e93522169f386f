// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_key_lines.h"

#include <nlohmann/json.hpp>

#include <set>
#include <vector>

namespace tamo::settings_file {

namespace {

struct Level {
    bool object = false;
    bool expectingKey = false;
    std::string key; // the current key, or the index of the current array member
    int index = 0;
    std::set<std::string> keys;
};

std::string PathOf(const std::vector<Level> &levels)
{
    std::string path;
    for (const Level &level : levels)
        path += "/" + (level.object ? level.key : std::to_string(level.index));
    return path;
}

// A key as the parser gives it: "pulse_l\u0065ngth" is "pulse_length".
std::string Unescaped(std::string_view written)
{
    if (written.find('\\') == written.npos)
        return std::string(written);
    const auto value = nlohmann::json::parse("\"" + std::string(written) + "\"", nullptr, false);
    return value.is_string() ? value.get<std::string>() : std::string(written);
}

} // namespace

JsonOutline OutlineJson(std::string_view text, std::size_t maxDepth)
{
    JsonOutline outline;
    std::vector<Level> levels;
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '{' || c == '[') {
            if (levels.size() >= maxDepth) {
                outline.tooDeep = line;
                return outline;
            }
            levels.push_back({c == '{', c == '{', {}, 0, {}});
        } else if (c == '}' || c == ']') {
            if (levels.empty())
                return outline;
            levels.pop_back();
        } else if (c == ',') {
            if (levels.empty())
                return outline;
            levels.back().expectingKey = levels.back().object;
            ++levels.back().index;
        } else if (c == '"') {
            const std::size_t start = i + 1;
            for (++i; i < text.size() && text[i] != '"'; ++i)
                if (text[i] == '\\')
                    ++i;
            if (i >= text.size())
                return outline;
            if (!levels.empty() && levels.back().expectingKey) {
                Level &level = levels.back();
                level.key = Unescaped(text.substr(start, i - start));
                level.expectingKey = false;
                const std::string path = PathOf(levels);
                if (!level.keys.insert(level.key).second && !outline.duplicate)
                    outline.duplicate = {path, line};
                outline.keyLines.emplace(path, line);
            }
        }
    }
    return outline;
}

int LineOfOffset(std::string_view text, std::size_t offset)
{
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}

} // namespace tamo::settings_file
