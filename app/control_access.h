// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and driving the window's controls by their design names, as a user sees them: for
// tests and the scenario runner.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace tamo::app {

// The caption, text or shown item of a label, text box, button, frame or list.
std::string ControlText(const QWidget *control);

// Picks the item with this text in a list as a user would (the list raises its click even
// when the item is already selected). False when the list has no such item or is disabled.
bool PickListItem(QWidget *list, const QString &item);

} // namespace tamo::app
