// SPDX-License-Identifier: MIT
#include "AccessibleControls.h"

#include "DateStepper.h"

#include <QAccessibleWidget>

namespace vitalune {

namespace {

// Its value is the label's text ("Fevereiro", not "2"): no numeric value for readers to prefer.
class AccessibleDateStepper : public QAccessibleWidget {
public:
    explicit AccessibleDateStepper(DateStepper* stepper)
        : QAccessibleWidget(stepper, QAccessible::SpinBox) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Value:
            return stepper()->valueText();
        case QAccessible::Description:
            // Also under Description: not every bridge passes the value text on.
            if (stepper()->accessibleDescription().isEmpty())
                return stepper()->valueText();
            break;
        default:
            break;
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& name) override {
        if (name == increaseAction())
            stepper()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else if (name == decreaseAction())
            stepper()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else
            QAccessibleWidget::doAction(name);
    }

private:
    DateStepper* stepper() const { return static_cast<DateStepper*>(widget()); }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("vitalune::DateStepper"))
        return new AccessibleDateStepper(static_cast<DateStepper*>(widget));
    // The monthly chart and the dials: pictures read out by their name and description.
    if (className == QLatin1String("vitalune::PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    // Without these a screen reader sees the window and its toolbar as unnamed fillers.
    if (className == QLatin1String("vitalune::MainWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("vitalune::Toolbar"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    if (className == QLatin1String("vitalune::ToolbarSeparator"))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace vitalune
