#include "link/transfer_progress_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>

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
    enter_presses_buttons(this);
}

void TransferProgressWindow::closeEvent(QCloseEvent* event)
{
    // Only the end of the transfer closes this window.
    event->ignore();
}

void TransferProgressWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
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
        owner->setEnabled(false);
    }
    // Disabling the owner disabled this window with it; Stop must work.
    setEnabled(true);
    show_with_keyboard(this, TransferStopButton);
}

void TransferProgressWindow::close_over_owner()
{
    hide();
    if (QWidget* owner = parentWidget()) {
        owner->setEnabled(true);
        give_keyboard_back(owner, return_focus_);
    }
    return_focus_ = nullptr;
}
