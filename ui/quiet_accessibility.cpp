#include "ui/quiet_accessibility.h"

#include <QAccessible>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

struct Quiet {
    int enabling = 0;
    std::vector<const QWidget*> content; // the controls set now
    QAccessible::UpdateHandler next = nullptr;
};

Quiet g_quiet;

bool is_content_change(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::ValueChanged:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
        return true;
    default:
        return false;
    }
}

// A change of the disabled state alone.
bool is_enabling(QAccessibleEvent* event)
{
    if (event->type() != QAccessible::StateChanged)
        return false;
    QAccessible::State changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    if (!changed.disabled)
        return false;
    changed.disabled = false;
    return changed == QAccessible::State();
}

bool is_quiet(QAccessibleEvent* event)
{
    if (g_quiet.enabling > 0 && is_enabling(event))
        return true;
    if (!is_content_change(event->type()))
        return false;
    const QObject* object = event->object();
    return std::any_of(g_quiet.content.cbegin(), g_quiet.content.cend(),
                       [object](const QWidget* control) { return control == object; });
}

void tell_what_is_not_quiet(QAccessibleEvent* event)
{
    if (is_quiet(event))
        return;
    // Handed on as if this handler were not there.
    QAccessible::installUpdateHandler(g_quiet.next);
    QAccessible::updateAccessibility(event);
    g_quiet.next = QAccessible::installUpdateHandler(tell_what_is_not_quiet);
}

bool quiet_now()
{
    return g_quiet.enabling > 0 || !g_quiet.content.empty();
}

void begin_quiet()
{
    if (!quiet_now())
        g_quiet.next = QAccessible::installUpdateHandler(tell_what_is_not_quiet);
}

void end_quiet()
{
    if (!quiet_now())
        QAccessible::installUpdateHandler(g_quiet.next);
}

} // namespace

QuietEnabling::QuietEnabling()
{
    begin_quiet();
    ++g_quiet.enabling;
}

QuietEnabling::~QuietEnabling()
{
    --g_quiet.enabling;
    end_quiet();
}

QuietContent::QuietContent(const QWidget* control, bool even_with_keyboard) : control_(control)
{
    // What the control with the keyboard shows is told as it changes.
    if (control_ == nullptr || (control_->hasFocus() && !even_with_keyboard)) {
        control_ = nullptr;
        return;
    }
    begin_quiet();
    g_quiet.content.push_back(control_);
}

QuietContent::~QuietContent()
{
    if (control_ == nullptr)
        return;
    g_quiet.content.pop_back();
    end_quiet();
}

void set_enabled_quietly(QWidget* window, bool enabled)
{
    if (window == nullptr)
        return;
    const QuietEnabling quiet;
    window->setEnabled(enabled);
}
