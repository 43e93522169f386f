// SPDX-License-Identifier: GPL-3.0-or-later
#include "drop_down_list.h"

namespace tamo::app {

DropDownList::DropDownList(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] { emit clicked(); });
}

void DropDownList::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    setCurrentIndex(index);
    if (index >= 0)
        emit clicked();
}

} // namespace tamo::app
