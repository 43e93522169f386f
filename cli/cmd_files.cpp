// SPDX-License-Identifier: GPL-3.0-or-later
// tamo save / tamo load: a board's settings to a file and from a file onto a board.
#include "apply.h"
#include "board_access.h"
#include "commands.h"
#include "file_io.h"
#include "settings_file.h"
#include "text.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct FileOptions {
    std::string file;
    std::optional<std::string> serial;
    bool dryRun = false;
};

int RunSave(Environment &env, const FileOptions &options)
{
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo save " + options.file);
    if (!choice.serial)
        return choice.status;
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);
    config::BoardSession session = board.Session();
    const config::BoardIdentity identity = session.ReadIdentity();
    const auto settings = session.ReadBackConfiguration();
    if (!settings) {
        env.err << "tamo save: board " << name << " gave no usable configuration reply in "
                << config::READBACK_ATTEMPTS << " reads: " << Escaped(board.WhyNoReply())
                << "; nothing was written\n";
        return EXIT_BOARD_IO;
    }
    std::string why;
    config::SettingsRequest::Unnamed unnamed{};
    const auto request = config::SettingsRequest::From(*settings, why, &unnamed);
    if (!request) {
        env.err << "tamo save: board " << name << " holds " << why << ": set one first (tamo set "
                << (unnamed == config::SettingsRequest::Unnamed::PulseLength ? "--pulse-length"
                                                                             : "--a-input")
                << "); nothing was written\n";
        return EXIT_FAILED;
    }
    const settings_file::SettingsFile file{*request,
                                           settings_file::SourceBoardOf(*choice.serial, identity)};
    const std::string text = settings_file::WriteSettingsText(file);
    if (options.file == "-") {
        env.out << text;
        return EXIT_OK;
    }
    std::string error;
    if (!settings_file::ReplaceFile(options.file, text, error)) {
        env.err << "tamo save: " << Escaped(error) << "; nothing was written\n";
        return EXIT_FAILED;
    }
    env.out << "saved the settings of " << name << " to " << Escaped(options.file) << '\n';
    return EXIT_OK;
}

// The file, checked whole; a message on stderr when it is not usable.
std::optional<settings_file::SettingsFile> LoadFile(Environment &env, const std::string &command,
                                                    const std::string &name)
{
    std::string error;
    auto file = settings_file::ReadSettingsFile(name, env.in, error);
    if (!file)
        env.err << command << ": " << error << "\n" << command << ": nothing was sent\n";
    return file;
}

int RunLoad(Environment &env, const FileOptions &options)
{
    const auto file = LoadFile(env, "tamo load", options.file);
    if (!file)
        return EXIT_USAGE;
    std::string error;
    const auto plan = config::MakePlan(file->settings, std::nullopt, error);
    const BoardChoice choice = ChooseBoard(env, options.serial, "tamo load " + options.file);
    if (!choice.serial) {
        if (!options.dryRun || options.serial || choice.status == EXIT_USAGE)
            return choice.status;
        // Without a board the reports are shown as far as the file decides them.
        env.err << "tamo load: no board to size the reports for: shown without the zero "
                   "padding up to the board's feature report length\n";
        for (const auto &report : config::PlanReports(*plan, 4))
            env.out << HexBytes(report) << '\n';
        return EXIT_OK;
    }
    OpenBoard board(env.platform);
    if (const int status = OpenChosen(env, board, *choice.serial); status != EXIT_OK)
        return status;
    const std::string name = SerialText(*choice.serial);
    if (options.dryRun) {
        PrintWouldSend(env, board, *plan, name);
        return EXIT_OK;
    }
    const ApplyResult result = ApplyAndVerify(env, board, *plan, name);
    if (result.status == EXIT_OK) {
        env.out << "loaded " << Escaped(options.file) << " onto " << name;
        if (file->source.serialNumber && *file->source.serialNumber != Latin1ToUtf8(*choice.serial))
            env.out << " (saved from " << Escaped(*file->source.serialNumber) << ")";
        env.out << ": sent and read back\n";
    }
    return result.status;
}

} // namespace

Command AddSaveCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<FileOptions>();
    CLI::App *save = tamo.add_subcommand(
        "save", "Save a board's settings, with its identity, to a settings file (JSON)");
    save->add_option("FILE", options->file, "The file to write; - for standard output")->required();
    save->add_option("SERIAL", options->serial, SERIAL_HELP);
    return {save, [&env, options] {
                return RunSave(env, *options);
            }};
}

Command AddLoadCommand(CLI::App &tamo, Environment &env)
{
    auto options = std::make_shared<FileOptions>();
    CLI::App *load = tamo.add_subcommand(
        "load", "Put the settings of a settings file onto a board, then read it back and check");
    load->add_option("FILE", options->file, "A file written by tamo save; - for standard input")
        ->required();
    load->add_option("SERIAL", options->serial, SERIAL_HELP);
    load->add_flag("--dry-run", options->dryRun,
                   "Check the file and print the feature reports it would send, as hex");
    load->footer("The whole file is checked before anything is sent: a file that is not a tamo "
                 "settings file (not UTF-8, a NUL byte, bytes after the JSON document, nesting "
                 "deeper than 16 levels, a number out of range), a key given twice, an unknown "
                 "key, a value the lists do not have or a newer format is an error naming the "
                 "line and the key, and nothing is sent.\n"
                 "Exit status: 0 when the board holds every setting afterwards, 1 when it does "
                 "not, 2 for a bad file or arguments, 3/4 no board / cannot be opened, 5 when "
                 "the board stopped answering.");
    return {load, [&env, options] {
                return RunLoad(env, *options);
            }};
}

} // namespace tamo::cli
