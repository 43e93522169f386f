// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the board a command is for and opening it through discovery. Every message names
// what is attached, so the user can name the board that was meant.
#pragma once

#include "environment.h"
#include "open_board.h"

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

using config::OpenBoard;

// Opens the chosen board, saying on stderr why it could not be opened. status is EXIT_OK
// when it is open.
int OpenChosen(Environment &env, OpenBoard &board, const device::SerialNumber &serial);

} // namespace tamo::cli
