#include "link/transfer_progress_window.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

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
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), owner_(owner)
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
}

void TransferProgressWindow::closeEvent(QCloseEvent* event)
{
    // Only the end of the transfer closes this window.
    event->ignore();
}

void TransferProgressWindow::show_over_owner()
{
    winId(); // the native window exists from here on
    if (owner_ && owner_->windowHandle())
        windowHandle()->setTransientParent(owner_->windowHandle());
    show();
}
