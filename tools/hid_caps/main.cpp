// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-hid-caps: what the Windows HID parser would report for a report descriptor, as JSON.
#include "caps_json.h"
#include "hex_text.h"
#include "report_descriptor.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int EXIT_CLEAN = 0;
constexpr int EXIT_UNUSABLE = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_FAULTY = 3;
// Far beyond any real descriptor (their length field is 16-bit); keeps a stray large file out.
constexpr std::uintmax_t MAX_INPUT_BYTES = 1u << 20;

const char USAGE_TEXT[] =
    R"(Usage: tamo-hid-caps [--collection N] [FILE | HEX...]

Parses a HID report descriptor as the Windows HID parser does and prints the
HIDP_CAPS and input HIDP_VALUE_CAPS of one top-level collection as JSON:
  {"hidp_caps": {...}, "input_value_caps": [...], "error": "..."}
"error" is present only when the descriptor did not parse cleanly.

  FILE              a file holding the descriptor's raw bytes
  HEX...            the bytes as hex text: "05 01 09 04", "0x05,0x01", "05010904"
  (none) or -       hex text read from standard input
  --collection N    the top-level collection to print, counted from 0 (default 0)
  --help            this text

Exit status: 0 clean; 3 printed, but the descriptor has a fault ("error");
1 unusable input (unreadable, no bytes, no such collection); 2 bad arguments.
)";

bool ReadFileBytes(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                   std::string &error)
{
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        error = path.string() + ": " + code.message();
        return false;
    }
    if (size > MAX_INPUT_BYTES) {
        error = path.string() + ": larger than " + std::to_string(MAX_INPUT_BYTES) + " bytes";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot be opened";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        error = path.string() + ": empty";
        return false;
    }
    return true;
}

bool ReadStdinText(std::string &text, std::string &error)
{
    char buffer[4096];
    while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(std::cin.gcount()));
        if (text.size() > MAX_INPUT_BYTES) {
            error = "standard input: more than " + std::to_string(MAX_INPUT_BYTES) + " bytes";
            return false;
        }
    }
    return true;
}

bool ParseIndex(const std::string &text, std::size_t &index)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    index = std::stoul(text);
    return true;
}

int Fail(int status, const std::string &message)
{
    std::cerr << "tamo-hid-caps: " << message << '\n';
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    std::size_t collectionIndex = 0;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << USAGE_TEXT;
            return EXIT_CLEAN;
        }
        std::string value;
        if (arg == "--collection") {
            if (i + 1 >= argc)
                return Fail(EXIT_USAGE, "--collection needs a number");
            value = argv[++i];
        } else if (arg.starts_with("--collection=")) {
            value = arg.substr(std::string_view{"--collection="}.size());
        } else if (arg.starts_with("--")) {
            return Fail(EXIT_USAGE, "unknown option " + arg + " (see --help)");
        } else {
            inputs.push_back(arg);
            continue;
        }
        if (!ParseIndex(value, collectionIndex))
            return Fail(EXIT_USAGE, "--collection takes a number from 0, not '" + value + "'");
    }

    std::vector<std::uint8_t> bytes;
    std::string error;
    std::error_code noFile; // a long hex argument is no valid path at all
    if (inputs.size() == 1 && inputs[0] != "-"
        && std::filesystem::is_regular_file(inputs[0], noFile)) {
        if (!ReadFileBytes(inputs[0], bytes, error))
            return Fail(EXIT_UNUSABLE, error);
    } else {
        std::string text;
        if (inputs.empty() || (inputs.size() == 1 && inputs[0] == "-")) {
            if (!ReadStdinText(text, error))
                return Fail(EXIT_UNUSABLE, error);
        } else {
            for (const std::string &input : inputs)
                text += input + ' ';
        }
        if (!tamo::tools::ParseHexText(text, bytes, error))
            return Fail(EXIT_UNUSABLE,
                        error + (inputs.size() == 1 ? " (and no such file)" : std::string{}));
    }

    const tamo::device::DescriptorParse parse = tamo::device::ParseReportDescriptor(bytes);
    if (collectionIndex >= parse.collections.size()) {
        std::string message = "the descriptor has " + std::to_string(parse.collections.size())
                              + " top-level collections, no collection "
                              + std::to_string(collectionIndex);
        if (!parse.ok())
            message += "; " + parse.error;
        return Fail(EXIT_UNUSABLE, message);
    }
    nlohmann::ordered_json json = tamo::tools::CapsToJson(parse.collections[collectionIndex]);
    if (!parse.ok())
        json["error"] = parse.error;
    std::cout << json.dump(2) << '\n';
    return parse.ok() ? EXIT_CLEAN : EXIT_FAULTY;
}
