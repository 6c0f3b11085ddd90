#include "app/accessible_fields.h"

#include "ui/numeric_edit.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTimeEdit>

namespace {

constexpr int kMinutesAnHour = 60;
constexpr int kMinutesADay = 24 * kMinutesAnHour;

int length(const QString& text)
{
    return static_cast<int>(text.size());
}

// The text of a one-line edit as a screen reader reads it, from the edit's
// public calls.
class LineEditText : public QAccessibleTextInterface {
public:
    void selection(int index, int* start, int* end) const override
    {
        *start = 0;
        *end = 0;
        const QLineEdit* e = edit();
        if (e != nullptr && index == 0 && e->hasSelectedText()) {
            *start = e->selectionStart();
            *end = *start + length(e->selectedText());
        }
    }
    int selectionCount() const override { return edit() != nullptr && edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int /*index*/) override
    {
        if (QLineEdit* e = edit())
            e->deselect();
    }
    void setSelection(int /*index*/, int start, int end) override
    {
        if (QLineEdit* e = edit())
            e->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit() != nullptr ? edit()->cursorPosition() : 0; }
    void setCursorPosition(int position) override
    {
        if (QLineEdit* e = edit())
            e->setCursorPosition(position);
    }
    QString text(int start, int end) const override
    {
        const QString all = edit() != nullptr ? edit()->displayText() : QString();
        if (end < 0 || end > length(all))
            end = length(all);
        if (start < 0 || start >= end)
            return {};
        return all.mid(start, end - start);
    }
    int characterCount() const override { return edit() != nullptr ? length(edit()->displayText()) : 0; }
    // On the screen: the text starts at the left of the edit's text area.
    QRect characterRect(int offset) const override
    {
        const QLineEdit* e = edit();
        if (e == nullptr || offset < 0 || offset >= characterCount())
            return {};
        const QString shown = e->displayText();
        const QFontMetrics metrics(e->font());
        const QRect area = e->contentsRect().marginsRemoved(e->textMargins());
        const int left = area.left() + metrics.horizontalAdvance(shown.left(offset));
        const QRect box(left, area.top(), metrics.horizontalAdvance(shown.at(offset)), area.height());
        return QRect(e->mapToGlobal(box.topLeft()), box.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        QLineEdit* e = edit();
        return e != nullptr ? e->cursorPositionAt(e->mapFromGlobal(point)) : -1;
    }
    void scrollToSubstring(int /*start*/, int /*end*/) override {}
    QString attributes(int /*offset*/, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QLineEdit* edit() const = 0;
};

// A field whose value is the text it shows, editable unless read-only.
class AccessibleField : public QAccessibleWidget,
                        public LineEditText,
                        public QAccessibleEditableTextInterface {
public:
    AccessibleField(QWidget* field, QAccessible::Role role) : QAccessibleWidget(field, role) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value && edit() != nullptr)
            return edit()->displayText();
        return QAccessibleWidget::text(t);
    }
    using LineEditText::text;
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !read_only();
        s.readOnly = read_only();
        s.selectableText = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface && edit() != nullptr)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface && edit() != nullptr && !read_only())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    // As typed: what the field refuses (a letter in a number) stays out.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        QLineEdit* e = edit();
        if (e == nullptr || read_only() || start < 0 || end < start || end > characterCount())
            return;
        e->setSelection(start, end - start);
        e->insert(text);
    }

protected:
    virtual bool read_only() const = 0;
};

class AccessibleNumericEdit : public AccessibleField {
public:
    explicit AccessibleNumericEdit(NumericEdit* field) : AccessibleField(field, QAccessible::EditableText) {}

protected:
    QLineEdit* edit() const override { return static_cast<QLineEdit*>(widget()); }
    bool read_only() const override { return edit()->isReadOnly(); }
};

class AccessibleTimePicker : public AccessibleField, public QAccessibleValueInterface {
public:
    explicit AccessibleTimePicker(QTimeEdit* picker) : AccessibleField(picker, QAccessible::SpinBox) {}

    QTimeEdit* picker() const { return static_cast<QTimeEdit*>(widget()); }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return AccessibleField::interface_cast(t);
    }
    // The minutes of the day: a screen reader tells the new time when it
    // changes (it reads the text, "08:45", rather than the number).
    QVariant currentValue() const override
    {
        const QTime t = picker()->time();
        return t.hour() * kMinutesAnHour + t.minute();
    }
    void setCurrentValue(const QVariant& value) override
    {
        const int minutes = value.toInt();
        if (picker()->isEnabled() && !picker()->isReadOnly() && minutes >= 0 && minutes < kMinutesADay)
            picker()->setTime(QTime(minutes / kMinutesAnHour, minutes % kMinutesAnHour));
    }
    QVariant maximumValue() const override { return kMinutesADay - 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
    // The spin box's own line edit is no child of its own: the text is the
    // picker's.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& action) override
    {
        if (!picker()->isEnabled() || picker()->isReadOnly())
            return QAccessibleWidget::doAction(action);
        if (action == increaseAction())
            picker()->stepUp();
        else if (action == decreaseAction())
            picker()->stepDown();
        else
            QAccessibleWidget::doAction(action);
    }

protected:
    // The spin box's own line edit holds the text.
    QLineEdit* edit() const override { return picker()->findChild<QLineEdit*>(); }
    bool read_only() const override { return picker()->isReadOnly(); }
};

} // namespace

QAccessibleInterface* accessible_time_picker(QTimeEdit* picker)
{
    return new AccessibleTimePicker(picker);
}

QAccessibleInterface* accessible_numeric_edit(NumericEdit* edit)
{
    return new AccessibleNumericEdit(edit);
}
