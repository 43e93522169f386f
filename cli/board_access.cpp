// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_access.h"

#include "text.h"

#include <algorithm>
#include <ostream>

namespace tamo::cli {

namespace {

int boardsOpened = 0;

std::vector<device::SerialNumber> Scan(Environment &env)
{
    device::BoardConnection connection;
    device::ValueCapsArray valueCaps{};
    device::Discovery discovery{env.platform, connection, valueCaps};
    return device::Scan_USB_devices(discovery);
}

std::string JoinSerials(const std::vector<device::SerialNumber> &serials)
{
    std::string out;
    for (const device::SerialNumber &serial : serials) {
        if (!out.empty())
            out += ", ";
        out += SerialText(serial);
    }
    return out;
}

} // namespace

std::string SerialText(const device::SerialNumber &serial)
{
    return Printable(serial);
}

int ReportNoBoard(Environment &env, bool saidAlready)
{
    const std::vector<device::InaccessibleBoard> closed = env.findInaccessibleBoards();
    if (closed.empty()) {
        if (!saidAlready)
            env.err << "tamo: no board of the family is attached\n";
        return EXIT_NO_BOARD;
    }
    for (const device::InaccessibleBoard &board : closed) {
        env.err << "tamo: a board is attached at " << Escaped(board.path);
        if (board.serialNumber)
            env.err << " (serial number " << Escaped(SystemText(*board.serialNumber)) << ")";
        env.err << " but cannot be opened: " << Escaped(board.reason) << '\n';
        if (!board.fix.empty())
            env.err << "  fix: " << Escaped(board.fix) << '\n';
    }
    return EXIT_NOT_OPENABLE;
}

BoardChoice ChooseBoard(Environment &env, const std::optional<std::string> &requested,
                        const std::string &commandLine)
{
    const std::vector<device::SerialNumber> serials = Scan(env);
    if (requested) {
        // The user types what we print; a serial beyond ASCII is printed as UTF-8.
        const auto match = std::find_if(serials.begin(), serials.end(), [&](const auto &serial) {
            return serial == *requested || Latin1ToUtf8(serial) == *requested
                   || SerialText(serial) == *requested;
        });
        if (match != serials.end()) {
            if (std::count(serials.begin(), serials.end(), *match) > 1)
                env.err << "tamo: warning: " << serials.size() << " boards share the serial number "
                        << SerialText(*match) << "; the first one found is used\n";
            return {*match, EXIT_OK};
        }
        env.err << "tamo: no board with the serial number '" << Escaped(*requested)
                << "' is attached";
        if (serials.empty()) {
            env.err << '\n';
            const int status = ReportNoBoard(env, true);
            return {std::nullopt, status == EXIT_NOT_OPENABLE ? status : EXIT_NO_BOARD};
        }
        env.err << "; attached: " << JoinSerials(serials) << '\n';
        return {std::nullopt, EXIT_NO_BOARD};
    }
    if (serials.empty())
        return {std::nullopt, ReportNoBoard(env)};
    if (serials.size() > 1) {
        env.err << "tamo: " << serials.size() << " boards are attached: " << JoinSerials(serials)
                << "; name one, e.g. " << commandLine << ' ' << SerialText(serials.front()) << '\n';
        return {std::nullopt, EXIT_USAGE};
    }
    return {serials.front(), EXIT_OK};
}

int BoardsOpenedSoFar()
{
    return boardsOpened;
}

OpenBoard::~OpenBoard()
{
    Close();
}

bool OpenBoard::Open(const device::SerialNumber &serial)
{
    Close();
    device::Discovery discovery{platform_, connection_, valueCaps_};
    const bool found = device::FindTheHid(discovery, serial).found;
    boardsOpened += found ? 1 : 0;
    return found;
}

std::string OpenBoard::Why() const
{
    if (!connection_.LastResult.error.empty())
        return connection_.LastResult.error;
    return "it is gone, or its HID capabilities cannot be read";
}

std::string OpenBoard::WhyNoReply() const
{
    if (!connection_.LastResult.ok && !connection_.LastResult.error.empty())
        return connection_.LastResult.error;
    if (connection_.Capabilities.FeatureReportByteLength < config::CONFIGURATION_REPLY_MIN_LENGTH)
        return "its feature report ("
               + std::to_string(connection_.Capabilities.FeatureReportByteLength)
               + " bytes) is too short to hold the reply";
    return "every reply had a nonzero status";
}

void OpenBoard::Close()
{
    if (connection_.DeviceFound)
        device::CloseConnection(platform_, connection_);
}

int OpenChosen(Environment &env, OpenBoard &board, const device::SerialNumber &serial)
{
    if (board.Open(serial))
        return EXIT_OK;
    env.err << "tamo: board " << SerialText(serial)
            << " could not be opened: " << Escaped(board.Why()) << '\n';
    return EXIT_NOT_OPENABLE;
}

} // namespace tamo::cli
