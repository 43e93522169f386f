// SPDX-License-Identifier: GPL-3.0-or-later
// tamo caps: what the Windows HID parser would report for a report descriptor, as JSON.
#include "caps_json.h"
#include "commands.h"
#include "file_io.h"
#include "hex_text.h"
#include "report_descriptor.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

// Far beyond any real descriptor (their length field is 16-bit); keeps a stray large file out.
constexpr std::size_t kMaxInputBytes = 1u << 20;

struct CapsOptions {
    std::vector<std::string> inputs;
    std::size_t collection = 0;
};

int RunCaps(Environment &env, const CapsOptions &options)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    std::error_code noFile; // a long hex argument is no valid path at all
    const auto &inputs = options.inputs;
    if (inputs.size() == 1 && inputs[0] != "-"
        && std::filesystem::is_regular_file(inputs[0], noFile)) {
        const auto text = settings_file::ReadWholeFile(inputs[0], env.in, kMaxInputBytes, error);
        if (!text || text->empty()) {
            env.err << "tamo caps: " << Escaped(text ? inputs[0] + ": empty" : error) << '\n';
            return EXIT_FAILED;
        }
        bytes.assign(text->begin(), text->end());
    } else {
        std::string text;
        if (inputs.empty() || (inputs.size() == 1 && inputs[0] == "-")) {
            const auto read = settings_file::ReadWholeFile("-", env.in, kMaxInputBytes, error);
            if (!read) {
                env.err << "tamo caps: " << Escaped(error) << '\n';
                return EXIT_FAILED;
            }
            text = *read;
        } else {
            for (const std::string &input : inputs)
                text += input + ' ';
        }
        if (!device::ParseHexText(text, bytes, error)) {
            // The token is the file's or the user's, and may hold anything.
            env.err << "tamo caps: " << Escaped(error)
                    << (inputs.size() == 1 && inputs[0] != "-" ? " (and no such file)" : "")
                    << '\n';
            return EXIT_FAILED;
        }
    }
    const device::DescriptorParse parse = device::ParseReportDescriptor(bytes);
    if (options.collection >= parse.collections.size()) {
        env.err << "tamo caps: the descriptor has " << parse.collections.size()
                << " top-level collections, no collection " << options.collection
                << (parse.ok() ? "" : "; " + parse.error) << '\n';
        return EXIT_FAILED;
    }
    nlohmann::ordered_json json = CapsToJson(parse.collections[options.collection]);
    if (!parse.ok())
        json["error"] = parse.error;
    env.out << json.dump(2) << '\n';
    // Printed, but the descriptor has a fault.
    return parse.ok() ? EXIT_OK : 3;
}

} // namespace

Command AddCapsCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<CapsOptions>();
    CLI::App *caps = tamo.add_subcommand(
        "caps", "Print a HID report descriptor's capabilities as the Windows HID parser reports "
                "them (HIDP_CAPS, input HIDP_VALUE_CAPS), as JSON");
    caps->add_option("INPUT", options->inputs,
                     "A file of the descriptor's raw bytes, or the bytes as hex text (\"05 01 09 "
                     "04\", \"0x05,0x01\"); none or - reads hex text from standard input");
    caps->add_option("--collection", options->collection,
                     "The top-level collection to print, counted from 0")
        ->default_val(0);
    caps->footer("Exit status: 0 clean; 3 printed, but the descriptor has a fault (\"error\"); 1 "
                 "unusable input; 2 bad arguments.");
    return {caps, [&env, options] {
                return RunCaps(env, *options);
            }};
}

} // namespace tamo::cli
