// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"

#include "text.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tamo::test {

int CliTest::Run(std::vector<std::string> args)
{
    out.str("");
    err.str("");
    cli::Environment env{platform, in, out, err, clock};
    env.interrupted = [this] {
        return interrupted;
    };
    env.outIsTerminal = terminal;
    env.findInaccessibleBoards = [this] {
        if (closedThrows)
            throw std::runtime_error("no sysfs");
        return closed;
    };
    return cli::RunTamo(args, env);
}

int CliTest::AddBoard(const std::u16string &serial)
{
    auto definition = sim::FamilyBoard(serial);
    definition.inputMode = sim::InputMode::OnChange;
    return platform.addDevice(definition);
}

std::vector<std::string> CliTest::Received(int board)
{
    std::vector<std::string> hex;
    for (const auto &report : platform.featureReportsReceived(board))
        hex.push_back(cli::HexBytes(report));
    platform.clearFeatureReportsReceived(board);
    return hex;
}

void CliTest::Hold(int board, std::array<std::uint8_t, 6> arguments)
{
    sim::BoardSettings settings;
    settings.arguments = arguments;
    Model(board).setSettings(settings);
}

TempFile::TempFile(const std::string &name)
{
    // Random, so that two builds' test runs at once do not share a directory.
    std::random_device random;
    directory_ = (std::filesystem::temp_directory_path()
                  / ("tamo-cli-test-" + std::to_string(random()) + std::to_string(random())))
                     .string();
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    path_ = (std::filesystem::path(directory_) / name).string();
}

TempFile::~TempFile()
{
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void TempFile::write(const std::string &text) const
{
    std::ofstream(path_, std::ios::binary) << text;
}

std::string TempFile::read() const
{
    std::ifstream file(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace tamo::test
