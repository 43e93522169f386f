// SPDX-License-Identifier: GPL-3.0-or-later
// Help > About and Help > Licence: the program, its licence notice and the open board, with
// the details a bug report wants on the clipboard at a click.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tamo::app {

// Version, Qt versions, system and the board's identity: what Copy details copies.
QString AboutDetails(const QString &boardDetails);
// The dialogs, modal over parent.
void ShowAbout(QWidget *parent, const QString &boardDetails,
               const std::function<void()> &showLicence);
void ShowLicence(QWidget *parent);
// The LICENSE text shipped inside the program.
QString LicenceText();

} // namespace tamo::app
