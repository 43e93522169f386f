// SPDX-License-Identifier: GPL-3.0-or-later
#include "lamp_shape.h"

#include "colour_value.h"
#include "lamp_colours.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace tamo::app {

LampShape::LampShape(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LampShape::setFillColourValue(std::uint32_t value)
{
    ++fillSets_;
    if (value == fill_)
        return;
    const bool wasLit = isLit();
    fill_ = value;
    update();
    if (isLit() != wasLit) {
        QAccessible::State changed;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

bool LampShape::isLit() const
{
    return fill_ == INDICATOR_ON_COLOUR;
}

void LampShape::setTestFinding(const QString &finding, bool seen)
{
    if (finding == finding_ && seen == seen_)
        return;
    finding_ = finding;
    seen_ = seen;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void LampShape::setOutlineColourValue(std::uint32_t value)
{
    outline_ = value;
    update();
}

void LampShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ColourFromValue(outline_, palette()), 1));
    painter.setBrush(ColourFromValue(fill_, palette()));
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min(box.width(), box.height()) / 6.0;
    painter.drawRoundedRect(box, radius, radius);
}

RuleLine::RuleLine(QPoint from, QPoint to, QWidget *parent)
    : QWidget(parent)
    , from_(from)
    , to_(to)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect bounds = QRect(from, to).normalized().adjusted(0, 0, 1, 1);
    setGeometry(bounds);
}

void RuleLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawLine(from_ - geometry().topLeft(), to_ - geometry().topLeft());
}

} // namespace tamo::app
