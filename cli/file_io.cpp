// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <system_error>

namespace tamo::cli {

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

bool ReplaceFile(const std::string &name, const std::string &text, std::string &error)
{
    const std::string temporary = name + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = temporary + ": " + std::generic_category().message(errno);
            return false;
        }
        out << text;
        out.flush();
        if (!out) {
            error = temporary + ": write failed";
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code code;
    std::filesystem::rename(temporary, name, code);
    if (code) {
        error = name + ": " + code.message();
        std::filesystem::remove(temporary, code);
        return false;
    }
    return true;
}

} // namespace tamo::cli
