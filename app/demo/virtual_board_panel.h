// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's second window: a person presses the virtual boards' buttons, unplugs and plugs
// them, sets their self-test answer, and sees the settings each board holds.
#pragma once

#include "virtual_platform.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tamo::app {

class VirtualBoardPanel : public QWidget {
    Q_OBJECT
public:
    VirtualBoardPanel(sim::VirtualHidPlatform &platform, std::vector<int> boards,
                      QWidget *parent = nullptr);

    // The panel's view of one board, refreshed from the board a few times a second.
    QString storedSettingsText(int board) const;

private:
    struct BoardControls {
        int device = -1;
        std::vector<QPushButton *> buttons;
        QPushButton *plug = nullptr;
        QSpinBox *selfTest = nullptr;
        QCheckBox *streaming = nullptr;
        QLabel *settings = nullptr;
    };
    QWidget *createBoardPage(BoardControls &controls);
    void refresh();

    sim::VirtualHidPlatform &platform_;
    std::vector<BoardControls> boards_;
};

} // namespace tamo::app
