// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_access.h"

#include "text.h"

#include <algorithm>
#include <ostream>

namespace tamo::cli {

namespace {

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
    const std::vector<device::SerialNumber> serials = config::ScanBoards(env.platform);
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

int OpenChosen(Environment &env, OpenBoard &board, const device::SerialNumber &serial)
{
    if (board.Open(serial).found)
        return EXIT_OK;
    env.err << "tamo: board " << SerialText(serial)
            << " could not be opened: " << Escaped(board.Why()) << '\n';
    return EXIT_NOT_OPENABLE;
}

} // namespace tamo::cli
