// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>

namespace tamo::settings_file {

std::optional<std::string> ReadWholeFile(const std::string &name, std::istream &in,
                                         std::size_t maxBytes, std::string &error)
{
    std::ifstream file;
    std::istream *stream = &in;
    if (name != "-") {
        std::error_code code;
        if (std::filesystem::is_directory(name, code)) {
            error = name + ": is a directory";
            return std::nullopt;
        }
        file.open(name, std::ios::binary);
        if (!file) {
            error = name + ": " + std::generic_category().message(errno);
            return std::nullopt;
        }
        stream = &file;
    }
    std::string text;
    char buffer[4096];
    while (stream->read(buffer, sizeof buffer) || stream->gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(stream->gcount()));
        if (text.size() > maxBytes) {
            error = (name == "-" ? std::string("standard input") : name) + ": larger than "
                    + std::to_string(maxBytes) + " bytes";
            return std::nullopt;
        }
    }
    if (stream->bad()) {
        error = name + ": read error";
        return std::nullopt;
    }
    return text;
}

bool SameFile(const std::string &a, const std::string &b)
{
    std::error_code code;
    return std::filesystem::equivalent(a, b, code) && !code;
}

} // namespace tamo::settings_file
