// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the board a command is for and opening it through discovery. Every message names
// what is attached, so the user can name the board that was meant.
#pragma once

#include "board_session.h"
#include "discovery.h"
#include "environment.h"

#include <optional>
#include <string>
#include <vector>

namespace tamo::cli {

// A serial number as the user sees and types it.
std::string SerialText(const device::SerialNumber &serial);

struct BoardChoice {
    std::optional<device::SerialNumber> serial;
    int status = EXIT_OK; // set, with a message on stderr, when no board was chosen
};

// The board named by requested (as the user typed it), or the one board attached when none is
// named. commandLine is how to name one, e.g. "tamo show".
BoardChoice ChooseBoard(Environment &env, const std::optional<std::string> &requested,
                        const std::string &commandLine);

// Says on stderr why no board can be used: none attached, or attached but closed to the user
// (with the reason and the fix). Returns EXIT_NO_BOARD or EXIT_NOT_OPENABLE. saidAlready: the
// caller has said that no board is there; only closed boards are added.
int ReportNoBoard(Environment &env, bool saidAlready = false);

// One open board; closed again when the object goes.
class OpenBoard {
public:
    explicit OpenBoard(device::HidPlatform &platform)
        : platform_(platform)
    {}
    ~OpenBoard();
    OpenBoard(const OpenBoard &) = delete;
    OpenBoard &operator=(const OpenBoard &) = delete;

    // False when it could not be opened; Why() says why.
    bool Open(const device::SerialNumber &serial);
    std::string Why() const;
    // Why the configuration readback found no usable reply.
    std::string WhyNoReply() const;
    void Close();

    config::BoardSession Session() { return {platform_, connection_}; }
    const device::BoardConnection &Connection() const { return connection_; }

private:
    device::HidPlatform &platform_;
    device::BoardConnection connection_;
    device::ValueCapsArray valueCaps_{};
};

// How many boards this process has opened so far: a command that ends unexpectedly after one
// was opened may have sent part of what it meant to.
int BoardsOpenedSoFar();

// Opens the chosen board, saying on stderr why it could not be opened. status is EXIT_OK
// when it is open.
int OpenChosen(Environment &env, OpenBoard &board, const device::SerialNumber &serial);

} // namespace tamo::cli
