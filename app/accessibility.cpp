// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include "lamp_shape.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>

namespace tamo::app {

namespace {

const char *const kValueLabelProperty = "tamoValueLabel";

class LampTexts {
    Q_DECLARE_TR_FUNCTIONS(LampTexts)
};

// A lamp reads as "Button 12" with the state pressed while it is lit.
class LampAccessible : public QAccessibleWidget {
public:
    explicit LampAccessible(LampShape *lamp)
        : QAccessibleWidget(lamp, QAccessible::Indicator)
    {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Value:
        case QAccessible::Description: {
            //: What a screen reader says of a button's lamp while the button is held.
            QString said = lamp()->isLit() ? LampTexts::tr("pressed")
                                           //: ... and while it is not.
                                           : LampTexts::tr("released");
            if (!lamp()->testFinding().isEmpty())
                said += QStringLiteral(", ") + lamp()->testFinding();
            return said;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = lamp()->isLit();
        // In the button test a lamp is checked once its button was seen.
        s.checkable = !lamp()->testFinding().isEmpty() || s.checkable;
        s.checked = lamp()->testSeen();
        return s;
    }

private:
    LampShape *lamp() const { return static_cast<LampShape *>(widget()); }
};

// A value label keeps its caption as its name; what it shows is its value.
class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Value:
        case QAccessible::Description:
            return static_cast<QLabel *>(widget())->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    if (auto *lamp = qobject_cast<LampShape *>(object))
        return new LampAccessible(lamp);
    auto *label = qobject_cast<QLabel *>(object);
    if (label && label->property(kValueLabelProperty).toBool())
        return new ValueLabelAccessible(label);
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

void SetValueLabelName(QLabel *label, const QString &caption)
{
    label->setProperty(kValueLabelProperty, true);
    label->setAccessibleName(caption);
}

} // namespace tamo::app
