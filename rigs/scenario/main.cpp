// SPDX-License-Identifier: GPL-3.0-or-later
// tamo-scenario FILE: runs the window over virtual boards in virtual time and prints one line
// per check and a last line "N passed, N failed". Exit status 0 only when every check passed.
#include "scenario_runner.h"

#include <QApplication>
#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char *argv[])
{
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::cerr << "usage: tamo-scenario FILE\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "tamo-scenario: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::ostringstream text;
    text << file.rdbuf();

    // The window is real but never shown on a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    tamo::scenario::ScenarioRunner runner(std::cout);
    return runner.run(tamo::scenario::ParseScenario(text.str())) ? 0 : 1;
}
