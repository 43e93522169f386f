// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_access.h"

#include "text_box.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace tamo::app {

std::string ControlText(const QWidget *control)
{
    if (const auto *box = qobject_cast<const TextBox *>(control))
        return box->text();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().toLatin1().toStdString();
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText().toLatin1().toStdString();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().toLatin1().toStdString();
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title().toLatin1().toStdString();
    return {};
}

bool PickListItem(QWidget *control, const QString &item)
{
    auto *list = qobject_cast<QComboBox *>(control);
    if (!list || !list->isEnabled() || !list->isEnabledTo(list->window()))
        return false;
    const int index = list->findText(item, Qt::MatchExactly);
    if (index < 0)
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}

} // namespace tamo::app
