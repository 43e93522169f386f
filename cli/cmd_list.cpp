// SPDX-License-Identifier: GPL-3.0-or-later
// tamo list: every board of the family, whether it can be opened, and why not.
#include "board_access.h"
#include "commands.h"
#include "device_texts.h"
#include "table.h"
#include "text.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace tamo::cli {

namespace {

struct Row {
    std::string serial; // UTF-8
    std::string manufacturer;
    std::string product;
    std::string version;
    std::string path;
    bool openable = false;
    std::string reason;
    std::string fix;
};

std::vector<Row> ListBoards(Environment &env)
{
    std::vector<Row> rows;
    const std::vector<device::SerialNumber> serials = config::ScanBoards(env.platform);
    for (std::size_t i = 0; i < serials.size(); ++i) {
        Row row;
        row.serial = Latin1ToUtf8(serials[i]);
        if (std::find(serials.begin(), serials.begin() + static_cast<std::ptrdiff_t>(i), serials[i])
            != serials.begin() + static_cast<std::ptrdiff_t>(i)) {
            row.reason = "another board has the same serial number; only the first can be chosen";
            rows.push_back(row);
            continue;
        }
        OpenBoard board(env.platform);
        if (board.Open(serials[i]).found) {
            row.openable = true;
            row.path = board.Connection().DevicePath;
            const config::BoardIdentity identity = board.Session().ReadIdentity();
            row.manufacturer = Latin1ToUtf8(LabelValue(identity.manufacturer.value_or("")));
            row.product = Latin1ToUtf8(LabelValue(identity.product.value_or("")));
            row.version = LabelValue(identity.version);
        } else {
            row.reason = board.Why();
        }
        rows.push_back(row);
    }
    for (const device::InaccessibleBoard &closed : env.findInaccessibleBoards()) {
        Row row;
        // What the system says of the board, in the form the board itself would give it.
        row.serial = SystemText(closed.serialNumber.value_or(""));
        row.manufacturer = SystemText(closed.manufacturer.value_or(""));
        row.product = SystemText(closed.product.value_or(""));
        if (closed.versionNumber)
            row.version = LabelValue(config::VersionText(*closed.versionNumber));
        row.path = closed.path;
        row.reason = closed.reason;
        row.fix = closed.fix;
        rows.push_back(row);
    }
    return rows;
}

int RunList(Environment &env, bool json)
{
    const std::vector<Row> rows = ListBoards(env);
    const bool anyOpenable =
        std::any_of(rows.begin(), rows.end(), [](const Row &row) { return row.openable; });
    const int status = anyOpenable ? EXIT_OK : rows.empty() ? EXIT_NO_BOARD : EXIT_NOT_OPENABLE;
    if (json) {
        nlohmann::ordered_json boards = nlohmann::ordered_json::array();
        for (const Row &row : rows) {
            nlohmann::ordered_json board;
            board["serial_number"] = row.serial;
            board["manufacturer"] = row.manufacturer;
            board["product"] = row.product;
            board["version"] = row.version;
            board["path"] = row.path;
            board["openable"] = row.openable;
            if (!row.openable) {
                board["reason"] = row.reason;
                board["fix"] = row.fix;
            }
            boards.push_back(board);
        }
        // Every text is valid UTF-8 by now; should one not be, it is shown, not thrown.
        env.out << nlohmann::ordered_json{{"boards", boards}}.dump(
            2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                << '\n';
        return status;
    }
    if (rows.empty()) {
        env.err << "tamo: no board of the family is attached\n";
        return status;
    }
    std::vector<std::vector<std::string>> table{
        {"SERIAL", "MANUFACTURER", "PRODUCT", "VERSION", "STATE"}};
    for (const Row &row : rows)
        table.push_back({row.serial.empty() ? "-" : Escaped(row.serial),
                         row.manufacturer.empty() ? "-" : Escaped(row.manufacturer),
                         row.product.empty() ? "-" : Escaped(row.product),
                         row.version.empty() ? "-" : row.version,
                         row.openable ? "ok" : "cannot be opened"});
    PrintTable(env.out, table);
    for (const Row &row : rows) {
        if (row.openable)
            continue;
        env.err << "tamo: " << Escaped(row.path.empty() ? "board " + row.serial : row.path)
                << " cannot be opened: " << Escaped(row.reason) << '\n';
        if (!row.fix.empty())
            env.err << "  fix: " << Escaped(row.fix) << '\n';
    }
    return status;
}

} // namespace

Command AddListCommand(CLI::App &tamo, Environment &env)
{
    auto json = std::make_shared<bool>(false);
    CLI::App *list = tamo.add_subcommand(
        "list", "List every attached board: serial number, manufacturer, product, version, and "
                "whether it can be opened (and if not, why and how to fix it)");
    list->add_flag("--json", *json, "Print the list as JSON");
    list->footer("Exit status: 0 when at least one board can be opened, 3 when none is "
                 "attached, 4 when boards are attached but none can be opened.");
    return {list, [&env, json] {
                return RunList(env, *json);
            }};
}

} // namespace tamo::cli
