// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_key_lines.h"

#include <vector>

namespace tamo::cli {

namespace {

struct Level {
    bool object = false;
    bool expectingKey = false;
    std::string key; // the current key, or the index of the current array member
    int index = 0;
};

std::string PathOf(const std::vector<Level> &levels)
{
    std::string path;
    for (const Level &level : levels)
        path += "/" + (level.object ? level.key : std::to_string(level.index));
    return path;
}

} // namespace

std::map<std::string, int> JsonKeyLines(std::string_view text)
{
    std::map<std::string, int> lines;
    std::vector<Level> levels;
    int line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '{' || c == '[') {
            levels.push_back({c == '{', c == '{', {}, 0});
        } else if (c == '}' || c == ']') {
            if (levels.empty())
                return lines;
            levels.pop_back();
        } else if (c == ',') {
            if (levels.empty())
                return lines;
            levels.back().expectingKey = levels.back().object;
            ++levels.back().index;
        } else if (c == '"') {
            const std::size_t start = i + 1;
            for (++i; i < text.size() && text[i] != '"'; ++i)
                if (text[i] == '\\')
                    ++i;
            if (i >= text.size())
                return lines;
            if (!levels.empty() && levels.back().expectingKey) {
                levels.back().key = std::string(text.substr(start, i - start));
                levels.back().expectingKey = false;
                lines.emplace(PathOf(levels), line);
            }
        }
    }
    return lines;
}

int LineOfOffset(std::string_view text, std::size_t offset)
{
    int line = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}

} // namespace tamo::cli
