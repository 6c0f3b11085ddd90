#include "plans/copy_dialog.h"

#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

#include "plans/copy_dialog_window.h"
#include "plans/core/plan_copy.h"
#include "plans/plan_editor.h"
#include "program/core/device_program.h"
#include "ui/app_context.h"
#include "ui/quiet_accessibility.h"
#include "ui/window_focus.h"

CopyDialog::CopyDialog(AppContext& ctx, PlanEditor& plans, QObject* parent)
    : QObject(parent), ctx_(ctx), plans_(plans)
{
}

CopyDialog::~CopyDialog()
{
    delete window_.data();
}

void CopyDialog::bind()
{
    connect(ctx_.ui.CopyTimeParamsButton, &QPushButton::clicked, this, [this] { open(); });
}

void CopyDialog::open()
{
    if (window_) {
        return; // only one copy dialog exists
    }
    QMainWindow* main = ctx_.ui.MainWindow;
    set_enabled_quietly(main, false);
    window_ = new CopyDialogWindow(main);
    // The dialog is the one window that stays usable over the disabled
    // main window.
    set_enabled_quietly(window_, true);
    connect(window_, &CopyDialogWindow::closeRequested, this, [this] { close_dialog(); });
    connect(window_->cancel_button(), &QPushButton::clicked, this, [this] { close_dialog(); });
    connect(window_->copy_button(), &QPushButton::clicked, this, [this] { copy_time_params(); });
    connect(window_->image_button(), &QPushButton::clicked, this, [this] { copy_time_params(); });
    show_with_keyboard(window_, window_->source_list());
}

bool CopyDialog::is_open() const
{
    return !window_.isNull();
}

CopyDialogWindow* CopyDialog::window() const
{
    return window_.data();
}

void CopyDialog::copy_time_params()
{
    if (!window_) {
        return;
    }
    const QListWidget* sources = window_->source_list();
    const QListWidget* targets = window_->target_list();
    int source_day = 0;
    std::array<bool, zuzo::kDays> chosen{};
    for (int p = 0; p < zuzo::kDays; ++p) {
        if (sources->item(p)->isSelected()) {
            source_day = p + 1;
        }
        chosen[p] = targets->item(p)->isSelected();
    }
    if (!zuzo::copy_time_params(ctx_.program, source_day, chosen)) {
        ctx_.seams.boxes->show(window_, QStringLiteral("Ошибка!"),
                               QStringLiteral("В списке не выделены пункты."), MsgButtons::Ok,
                               MsgIcon::Exclamation);
        return;
    }
    close_window();
    // The main window's rows must show what was copied onto its weekday, or
    // the next time change there would read the old rows back over it.
    const int shown = plans_.displayed_day();
    if (shown != 0 && chosen[shown - 1]) {
        plans_.refresh_plan_view();
    }
    return_focus();
}

void CopyDialog::close_dialog()
{
    if (!window_) {
        return;
    }
    close_window();
    return_focus();
}

void CopyDialog::return_focus()
{
    // The main window takes the keyboard back, on the button that opened the
    // dialog unless the copy has just made the shown weekday faulty and so
    // disabled it.
    give_keyboard_back(ctx_.ui.MainWindow, ctx_.ui.CopyTimeParamsButton);
}

void CopyDialog::close_window()
{
    CopyDialogWindow* w = window_.data();
    window_.clear();
    w->hide();
    w->deleteLater();
    set_enabled_quietly(ctx_.ui.MainWindow, true);
}
