// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told about the window's controls where the design's own words are
// not enough: value labels have no caption of their own, and a lamp's state is only a colour.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tamo::app {

// Makes the window's own accessible interfaces (lamps, value labels) known to Qt; once per
// process, before the first control is created.
void InstallAccessibleInterfaces();

// A label that shows a value under a caption elsewhere ("Manufacturer"): a screen reader hears
// the caption as its name and the label's current text as its value.
void SetValueLabelName(QLabel *label, const QString &caption);

} // namespace tamo::app
