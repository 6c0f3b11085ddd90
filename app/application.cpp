#include "app/application.h"

#include "app/auxiliary_commands.h"
#include "app/link_controller.h"
#include "app/main_window.h"
#include "link/status_log.h"
#include "plans/copy_dialog.h"
#include "plans/plan_editor.h"
#include "program/core/device_program.h"
#include "program/file_commands.h"
#include "program/optics_editor.h"
#include "ui/control_ops.h"
#include "ui/qt_seams.h"
#include "ui/window_focus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

#include "ui/numeric_edit.h"
#include "ui/warning_picture.h"

namespace {

constexpr int kStatusPeriodMs = 300;
constexpr int kPortPeriodMs = 1000;
constexpr int kPortCount = 200;

} // namespace

Application::Application(const Seams& seams, zuzo::PortLister* ports) : ports_(ports)
{
    ctx_.seams = seams;
    if (!ctx_.seams.boxes) {
        real_boxes_ = std::make_unique<QtMessageBoxes>(ctx_.busy);
        ctx_.seams.boxes = real_boxes_.get();
    }
    if (!ctx_.seams.files) {
        real_files_ = std::make_unique<QtFileDialogs>(ctx_.busy);
        ctx_.seams.files = real_files_.get();
    }
    if (!ctx_.seams.launcher) {
        real_launcher_ = std::make_unique<QtLauncher>();
        ctx_.seams.launcher = real_launcher_.get();
    }
    if (!ctx_.seams.clock) {
        real_clock_ = std::make_unique<QtWallClock>();
        ctx_.seams.clock = real_clock_.get();
    }
}

Application::~Application()
{
    if (status_timer_)
        status_timer_->stop();
    if (port_timer_)
        port_timer_->stop();
    // The parts go before the window whose controls they hold.
    ctx_.rebuild_after_replacement = [] {};
    commands_.reset();
    link_.reset();
    copy_dialog_.reset();
    plans_.reset();
    files_.reset();
    optics_.reset();
    log_.reset();
    delete ctx_.ui.MainWindow;
    ctx_.ui = MainControls{};
}

void Application::set_process_end(std::function<void(int)> end)
{
    end_process_ = std::move(end);
    if (commands_)
        commands_->set_process_end(end_process_);
}

bool Application::start()
{
    if (ctx_.ui.MainWindow)
        return true;
    if (!build_main_window(ctx_.ui, ctx_.seams.clock->now().time()))
        return false;
    MainControls& ui = ctx_.ui;

    log_ = std::make_unique<StatusLog>(ui.StatusLog, ctx_.seams.clock);
    optics_ = std::make_unique<OpticsEditor>(ctx_);
    files_ = std::make_unique<FileCommands>(ctx_);
    plans_ = std::make_unique<PlanEditor>(ctx_);
    copy_dialog_ = std::make_unique<CopyDialog>(ctx_, *plans_);
    link_ = std::make_unique<LinkController>(ctx_, *log_, ports_);
    commands_ = std::make_unique<AuxiliaryCommands>(ctx_, *link_);
    if (end_process_)
        commands_->set_process_end(end_process_);
    ctx_.rebuild_after_replacement = [this] {
        plans_->refresh_plan_view();
        optics_->refresh();
        optics_->run_rules();
    };

    optics_->bind();
    plans_->bind();
    copy_dialog_->bind();
    link_->bind();
    // The link's buttons follow a connect at once, not at the next tick:
    // Tab reaches "Чтение программы" right after the connect.
    connect(ui.ConnectButton, &QPushButton::clicked, this, &Application::follow_link);
    commands_->bind();
    connect_menu_and_close();

    // Both timers belong to the main window.
    status_timer_ = new QTimer(ui.MainWindow);
    status_timer_->setObjectName(QStringLiteral("StatusTimer"));
    port_timer_ = new QTimer(ui.MainWindow);
    port_timer_->setObjectName(QStringLiteral("PortTimer"));
    connect(status_timer_, &QTimer::timeout, this, &Application::status_tick);
    connect(port_timer_, &QTimer::timeout, this, &Application::port_tick);
    status_timer_->start(kStatusPeriodMs);
    port_timer_->start(kPortPeriodMs);
    // The ports there at the start are known at once: one added after a
    // link opened within the first second is still reported.
    port_tick();

    fill_initial_state();
    // The window takes the keyboard at once, with or without a window
    // manager to hand it over.
    show_with_keyboard(ui.MainWindow, nullptr);
    return true;
}

void Application::fill_initial_state()
{
    MainControls& ui = ctx_.ui;
    {
        const QSignalBlocker block(ui.PortCombo);
        for (int n = 1; n <= kPortCount; ++n)
            ui.PortCombo->addItem(QStringLiteral("COM%1").arg(n));
        ui.PortCombo->setCurrentText(QStringLiteral("COM1"));
    }
    {
        const QSignalBlocker block(ui.WeekdayCombo);
        for (const char* name : zuzo::weekday_names())
            ui.WeekdayCombo->addItem(QString::fromUtf8(name));
        ui.WeekdayCombo->setCurrentText(QStringLiteral("Понедельник"));
    }
    ui.DuplicateIntervalsWarning->hide();
    ui.DuplicateIntervalsWarning->setUserData(1);
    {
        const QSignalBlocker block(ui.SoundTypeCombo);
        for (const char* name : zuzo::sound_type_names())
            ui.SoundTypeCombo->addItem(QString::fromUtf8(name));
        ui.SoundTypeCombo->setCurrentText(QStringLiteral("Сигнал №1"));
    }
    ctl::set_text(ui.FastPulseTimeEdit, QStringLiteral("10"));
    ctl::set_checked(ui.SoundOffCheck, false);

    optics_->apply_optics_defaults();
    plans_->refresh_plan_view();

    ui.WeekdayCombo->setEnabled(false);
    for (int n = 1; n <= 12; ++n)
        ui.IntervalEnabledCheck[static_cast<std::size_t>(n)]->setEnabled(false);
    ui.SoundTypeCombo->setEnabled(false);
    ui.FastPulseTimeEdit->setEnabled(false);
    ui.SoundOffCheck->setEnabled(false);
    ui.SoundSimulationCheck->setEnabled(false);
    ui.SyncClockButton->setEnabled(false);
    ui.DeviceDateEdit->setEnabled(false);
    ui.CopyTimeParamsButton->setEnabled(false);
}

void Application::connect_menu_and_close()
{
    MainControls& ui = ctx_.ui;
    for (std::size_t k = 0; k < MENU_ID_COUNT; ++k) {
        const auto id = static_cast<MenuId>(k);
        for (QAction* action : {ui.menu_actions[id], ui.tool_actions[id]})
            connect(action, &QAction::triggered, this, [this, id] { dispatch_menu(id); });
    }
    if (auto* window = qobject_cast<MainWindow*>(ui.MainWindow))
        connect(window, &MainWindow::closeRequested, commands_.get(),
                &AuxiliaryCommands::exit_with_confirmation);
}

void Application::dispatch_menu(MenuId id)
{
    switch (id) {
    case MenuId::New:
        files_->new_program();
        break;
    case MenuId::Open:
        files_->open_program();
        break;
    case MenuId::Save:
        files_->save_program();
        break;
    case MenuId::Exit:
        commands_->exit_with_confirmation();
        break;
    case MenuId::Help:
        commands_->help();
        break;
    case MenuId::Site:
        commands_->site();
        break;
    case MenuId::About:
        commands_->about();
        break;
    default: // an id no menu item raises
        break;
    }
}

void Application::status_tick()
{
    if (ctx_.busy > 0)
        return;
    link_->clock_display();
    link_->supervision();
    link_->brightness_preview();
    follow_link();
    MainControls& ui = ctx_.ui;
    ui.SyncClockButton->setEnabled(false);
    ui.SoundSimulationCheck->setEnabled(false);
}

void Application::follow_link()
{
    const bool open = link_->link_is_open();
    MainControls& ui = ctx_.ui;
    ui.WriteProgramButton->setEnabled(open);
    ui.ReadProgramButton->setEnabled(open);
    ui.DisconnectButton->setEnabled(open);
}

void Application::port_tick()
{
    if (ctx_.busy > 0)
        return;
    link_->port_discovery();
}
