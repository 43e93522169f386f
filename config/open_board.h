// SPDX-License-Identifier: GPL-3.0-or-later
// The one open board of a front end: found by its serial number, opened on both handles,
// talked to through its session, closed once. Every front end opens boards through this.
#pragma once

#include "board_session.h"
#include "capabilities.h"
#include "discovery.h"

#include <string>
#include <vector>

namespace tamo::config {

// The serial number of every attached board of the family, in enumeration order. Leaves no
// handle open and touches no open board.
std::vector<device::SerialNumber> ScanBoards(device::HidPlatform &platform);

class OpenBoard {
public:
    explicit OpenBoard(device::HidPlatform &platform)
        : platform_(platform)
    {}
    ~OpenBoard();
    OpenBoard(const OpenBoard &) = delete;
    OpenBoard &operator=(const OpenBoard &) = delete;

    // Closes the board open before, then opens the first board of the serial number. The
    // capabilities report is there whenever the board's capabilities were read, found or not.
    device::SearchResult Open(const device::SerialNumber &serial);
    bool IsOpen() const { return connection_.DeviceFound; }
    // Closes both handles of an open board; nothing when none is open.
    void Close();

    // Why the last Open found nothing.
    std::string Why() const;
    // Why the configuration readback found no usable reply.
    std::string WhyNoReply() const;

    BoardSession Session() { return {platform_, connection_}; }
    const device::BoardConnection &Connection() const { return connection_; }
    device::BoardConnection &Connection() { return connection_; }
    // Discovery over this board's connection: a scan records its calls' results here.
    device::Discovery Discovery() { return {platform_, connection_, valueCaps_}; }

    // Boards this process has opened so far: a program that ends unexpectedly after one was
    // opened may have sent part of what it meant to.
    static int OpenedSoFar();

private:
    device::HidPlatform &platform_;
    device::BoardConnection connection_;
    device::ValueCapsArray valueCaps_{};
};

} // namespace tamo::config
