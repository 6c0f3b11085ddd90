#include "ui/pending_input.h"

#include "ui/busy_scope.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

bool is_user_input(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close: // the close box: Exit is not asked in the middle of a handler
        return true;
    default:
        return false;
    }
}

class InputSwallower : public QObject {
public:
    int dropped = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!is_user_input(event->type()))
            return QObject::eventFilter(watched, event);
        // Swallowed at its first receiver, so it is counted once.
        ++dropped;
        return true;
    }
};

} // namespace

int drop_pending_input(int& busy)
{
    BusyScope scope(busy);
    InputSwallower swallower;
    QCoreApplication::instance()->installEventFilter(&swallower);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::instance()->removeEventFilter(&swallower);
    return swallower.dropped;
}
