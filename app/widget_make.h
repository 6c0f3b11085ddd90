#pragma once
// Small helpers for building named controls.

#include <QLabel>
#include <QString>
#include <QWidget>

namespace make {

// A new widget of type W under parent, with objectName name.
template <typename W, typename... Args> W* named(QWidget* parent, const char* name, Args&&... args)
{
    auto* widget = new W(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A static caption without identity; with a buddy, the control it
// captions (a screen reader names the control by it).
inline QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr)
{
    auto* caption = new QLabel(text, parent);
    if (buddy != nullptr)
        caption->setBuddy(buddy);
    return caption;
}

// The name of the property that marks a unit label ("%", "L") beside its
// field: a screen reader hears the unit in the field's own name, and the
// label is left out.
inline constexpr char UNIT_PROPERTY[] = "zuzo_unit";

// The unit shown right of a field; see UNIT_PROPERTY.
inline QLabel* unit(QWidget* parent, const QString& text)
{
    QLabel* caption = label(parent, text);
    caption->setProperty(UNIT_PROPERTY, true);
    return caption;
}

} // namespace make
