#include "app/accessible_roles.h"

#include "ui/warning_picture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

QString spoken_name(const QWidget* widget, const QString& fallback)
{
    const QString name = widget->accessibleName();
    return name.isEmpty() ? fallback : name;
}

// A warning picture: a button whose press is a left click.
class AccessibleWarning : public QAccessibleWidget {
public:
    explicit AccessibleWarning(WarningPicture* picture) : QAccessibleWidget(picture, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return spoken_name(widget(), widget()->toolTip());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            static_cast<WarningPicture*>(widget())->press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// A checkable button heard as a radio button whatever its exclusivity.
class AccessibleOption : public QAccessibleWidget {
public:
    explicit AccessibleOption(QAbstractButton* button) : QAccessibleWidget(button, QAccessible::RadioButton)
    {
        addControllingSignal(QStringLiteral("toggled(bool)"));
    }

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return spoken_name(widget(), button()->text());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction(), toggleAction()}; }
    void doAction(const QString& action) override
    {
        if ((action == pressAction() || action == toggleAction()) && button()->isEnabled())
            button()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// A combo box heard by its name (what the list is: its accessible name, or
// else the label it is the buddy of) with its current text as the value.
// Qt's own interface on Linux names a combo box by its current text, so
// "COM1" would be all a screen reader says.
class AccessibleCombo : public QAccessibleWidget {
public:
    explicit AccessibleCombo(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = QAccessibleWidget::text(t);
            return name.isEmpty() ? combo()->currentText() : name;
        }
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    // The one child is the drop-down list.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == combo()->view() ? 0 : -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if ((action != showMenuAction() && action != pressAction()) || !combo()->isEnabled())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* tool_roles(const QString& class_name, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    if (class_name == QLatin1String("WarningPicture"))
        return new AccessibleWarning(static_cast<WarningPicture*>(object));
    if (class_name == QLatin1String("QComboBox"))
        return new AccessibleCombo(static_cast<QComboBox*>(object));
    if (class_name == QLatin1String("ThresholdOption"))
        return new AccessibleOption(static_cast<QAbstractButton*>(object));
    if (class_name == QLatin1String("CopyDialogWindow") ||
        class_name == QLatin1String("TransferProgressWindow") || class_name == QLatin1String("AboutWindow"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

void install_accessible_roles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(tool_roles);
}
