#include "ui/reader_turn.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

// A screen reader that asks nothing for this long has said what it says
// (Orca, still busy with the keys before, may take a few hundred ms to
// come to the window at all).
constexpr int kQuietMs = 250;
constexpr int kLongestMs = 2000;

// The questions that come in: each is delivered as a call to the object
// that answers it.
class Questions : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void serve_screen_reader()
{
    if (!QAccessible::isActive())
        return;
    Questions questions;
    QCoreApplication::instance()->installEventFilter(&questions);
    QEventLoop loop;
    QElapsedTimer served;
    served.start();
    int seen = -1;
    QTimer look;
    look.setInterval(kQuietMs);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (questions.count == seen || served.elapsed() >= kLongestMs)
            loop.quit();
        seen = questions.count;
    });
    look.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::instance()->removeEventFilter(&questions);
}
