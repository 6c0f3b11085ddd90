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

// A static caption without identity.
inline QLabel* label(QWidget* parent, const QString& text)
{
    return new QLabel(text, parent);
}

} // namespace make
