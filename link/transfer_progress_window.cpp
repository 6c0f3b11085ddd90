#include "link/transfer_progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "ui/quiet_accessibility.h"
#include "ui/reader_turn.h"
#include "ui/window_focus.h"

namespace {

QProgressBar* make_bar(QWidget* parent, const QString& name, int y)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setGeometry(10, y, 430, 15);
    return bar;
}

bool is_escape(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
}

} // namespace

TransferProgressWindow::TransferProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TransferProgressWindow"));
    setWindowTitle(QStringLiteral("Обмен данными"));
    setFixedSize(461, 83);
    move(450, 200);
    TransferProgressBar = make_bar(this, QStringLiteral("TransferProgressBar"), 5);
    TransferSpareBar = make_bar(this, QStringLiteral("TransferSpareBar"), 30);
    TransferStopButton = new QPushButton(QStringLiteral("Стоп"), this);
    TransferStopButton->setObjectName(QStringLiteral("TransferStopButton"));
    TransferStopButton->setGeometry(340, 55, 80, 20);
    // What a screen reader says of the two bars.
    TransferProgressBar->setAccessibleName(QStringLiteral("Ход обмена данными"));
    TransferSpareBar->setAccessibleName(QStringLiteral("Запасной индикатор обмена"));
    // The window is told with the progress so far.
    const auto describe = [this](int value) {
        setAccessibleDescription(QStringLiteral("Ход обмена данными: %1 %").arg(value));
    };
    describe(0);
    connect(TransferProgressBar, &QProgressBar::valueChanged, this, describe);
    enter_presses_buttons(this);
}

void TransferProgressWindow::closeEvent(QCloseEvent* event)
{
    // Only the end of the transfer closes this window.
    event->ignore();
}

bool TransferProgressWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The key comes to this window's window of the system first, then to
    // its control: taken at the first, it presses "Стоп" once.
    if (is_escape(event) && isVisible() &&
        (watched == static_cast<QObject*>(windowHandle()) ||
         (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this))) {
        TransferStopButton->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TransferProgressWindow::keyPressEvent(QKeyEvent* event)
{
    if (is_escape(event)) {
        TransferStopButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TransferProgressWindow::open_over_owner()
{
    QWidget* owner = parentWidget();
    if (owner) {
        return_focus_ = owner->focusWidget();
        set_enabled_quietly(owner, false);
    }
    // Disabling the owner disabled this window with it; Stop must work.
    set_enabled_quietly(this, true);
    show_with_keyboard(this, TransferStopButton);
    watch_escape();
    serve_screen_reader();
}

void TransferProgressWindow::watch_escape()
{
    // Installed again, it comes first again.
    if (isVisible())
        qApp->installEventFilter(this);
}

void TransferProgressWindow::close_over_owner()
{
    qApp->removeEventFilter(this);
    hide();
    if (QWidget* owner = parentWidget()) {
        set_enabled_quietly(owner, true);
        give_keyboard_back(owner, return_focus_);
    }
    return_focus_ = nullptr;
}
