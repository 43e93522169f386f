// SPDX-License-Identifier: GPL-3.0-or-later
// A drop-down list that raises clicked() whenever an item becomes the selected one: when the
// user picks an item (also the one already selected) and when code sets the selected index.
// The window's handlers rely on both and guard against the program's own selections.
#pragma once

#include <QComboBox>

namespace tamo::app {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget *parent = nullptr);

    // Selecting -1 clears the selection and raises nothing: no item became selected.
    void setListIndex(int index);
    int listIndex() const { return currentIndex(); }

signals:
    void clicked();
};

} // namespace tamo::app
