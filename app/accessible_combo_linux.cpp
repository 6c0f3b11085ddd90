#include "app/accessible_combo.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

int char_count(const QString& text)
{
    return static_cast<int>(text.size());
}

class AccessibleCombo : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleCombo(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox), told_(item())
    {
        // Signals blocked while the program sets an item: only the user's
        // choices are told.
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [combo] {
            if (auto* face = dynamic_cast<AccessibleCombo*>(QAccessible::queryAccessibleInterface(combo)))
                face->tell_item();
        });
    }

    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
    QString item() const { return combo()->currentText(); }

    // The new item goes in before the old one goes: the old one is no
    // longer the selected text then, and Orca does not call it deleted.
    // An item the program chose is not told, so the one heard last may be
    // the new one again: Orca would call its removal "selection deleted".
    void tell_item()
    {
        const QString now = item();
        const QString before = told_;
        told_ = now;
        QAccessibleTextInsertEvent inserted(combo(), 0, now);
        QAccessible::updateAccessibility(&inserted);
        if (before.isEmpty() || before == now)
            return;
        QAccessibleTextRemoveEvent removed(combo(), char_count(now), before);
        QAccessible::updateAccessibility(&removed);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return item();
        return QAccessibleWidget::text(t);
    }
    using QAccessibleTextInterface::text;
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = combo()->view()->isVisible();
        return s;
    }
    // The list of items, as in Qt's own interface.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == combo()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The item shown is selected while the combo box has the keyboard.
    void selection(int index, int* start, int* end) const override
    {
        *start = 0;
        *end = index == 0 && selectionCount() == 1 ? characterCount() : 0;
    }
    int selectionCount() const override { return combo()->hasFocus() && characterCount() > 0 ? 1 : 0; }
    void addSelection(int /*start*/, int /*end*/) override {}
    void removeSelection(int /*index*/) override {}
    void setSelection(int /*index*/, int /*start*/, int /*end*/) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int /*position*/) override {}
    QString text(int start, int end) const override
    {
        const QString all = item();
        if (end < 0 || end > char_count(all))
            end = char_count(all);
        if (start < 0 || start >= end)
            return {};
        return all.mid(start, end - start);
    }
    int characterCount() const override { return char_count(item()); }
    QRect characterRect(int /*offset*/) const override { return {}; }
    int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int /*offset*/, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString told_; // the item as a screen reader last heard of it
};

} // namespace

QAccessibleInterface* accessible_combo(QComboBox* combo)
{
    return new AccessibleCombo(combo);
}
