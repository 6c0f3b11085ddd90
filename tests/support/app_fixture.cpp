#include "support/app_fixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

void AppFixture::SetUp()
{
    app_ = std::make_unique<Application>(Seams{&boxes_, &files_, &launcher_, &clock_}, port_lister());
    boxes_.busy = &app_->context().busy;
    app_->set_process_end([this](int code) { ended_with = code; });
    ASSERT_TRUE(app_->start());
    process_events();
}

void AppFixture::TearDown()
{
    app_.reset();
    process_events();
}

void AppFixture::pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void AppFixture::process_events()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void AppFixture::stop_timers()
{
    app_->status_timer()->stop();
    app_->port_timer()->stop();
}

bool AppFixture::activate_main_window()
{
    QMainWindow* window = ui().MainWindow;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}
