#include "app/accessible_roles.h"

#include "app/accessible_combo.h"
#include "app/accessible_fields.h"
#include "app/widget_make.h"
#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QTimeEdit>

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

// A unit beside its field ("%", "L"): the field's name says it already, so
// the label is left out of what a screen reader reads (no name, not shown).
class AccessibleUnit : public QAccessibleWidget {
public:
    explicit AccessibleUnit(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text /*t*/) const override { return {}; }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QAccessibleInterface* tool_roles(const QString& class_name, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    if (class_name == QLatin1String("WarningPicture"))
        return new AccessibleWarning(static_cast<WarningPicture*>(object));
    if (class_name == QLatin1String("QComboBox"))
        return accessible_combo(static_cast<QComboBox*>(object));
    if (class_name == QLatin1String("QTimeEdit"))
        return accessible_time_picker(static_cast<QTimeEdit*>(object));
    if (class_name == QLatin1String("NumericEdit") || class_name == QLatin1String("DisplayEdit"))
        return accessible_numeric_edit(static_cast<NumericEdit*>(object));
    if (class_name == QLatin1String("QLabel") && object->property(make::UNIT_PROPERTY).toBool())
        return new AccessibleUnit(static_cast<QWidget*>(object));
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
