// SPDX-License-Identifier: GPL-3.0-or-later
// A serial number is one byte per character; Latin-1 maps each byte to one character and back,
// so the shown item compares equal to the board's bytes whatever their value.
#pragma once

#include "discovery.h"

#include <QString>

namespace tamo::app {

inline QString SerialText(const device::SerialNumber &serial)
{
    return QString::fromLatin1(serial.data(), static_cast<qsizetype>(serial.size()));
}

inline device::SerialNumber SerialBytes(const QString &text)
{
    return text.toLatin1().toStdString();
}

} // namespace tamo::app
