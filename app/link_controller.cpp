#include "app/link_controller.h"

#include "link/box_fault_prompt.h"
#include "link/connection.h"
#include "link/core/exchange.h"
#include "link/core/optics_bytes.h"
#include "link/core/port_names.h"
#include "link/port_discovery.h"
#include "link/program_transfer.h"
#include "link/serial/serial_link.h"
#include "link/status_log.h"
#include "link/transfer_progress_window.h"
#include "program/core/device_program.h"
#include "program/write_gate.h"
#include "ui/app_context.h"
#include "ui/control_ops.h"
#include "ui/numeric_edit.h"
#include "ui/quiet_accessibility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTextEdit>

#include <optional>

namespace {

constexpr int kOpticsTab = 1;

// Most status ticks bring the same second again: a field that already shows
// the text is left alone. A screen reader reads the date where the keyboard
// is on it, and is not told each new second.
void show_date(QLineEdit* field, const QString& text)
{
    if (field->text() == text)
        return;
    const QuietContent quiet(field, true);
    ctl::set_text(field, text);
}

} // namespace

LinkController::LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports, QObject* parent)
    : LinkController(ctx, log, ports, zuzo::virtual_port_folder(), parent)
{
}

LinkController::LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports,
                               const std::string& virtual_port_folder, QObject* parent)
    : QObject(parent), ctx_(ctx), log_(log), host_{*ctx.seams.boxes,
                                                   ctx.ui.MainWindow,
                                                   *ctx.seams.clock,
                                                   ctx.busy,
                                                   [&ui = ctx.ui] { return ui.PortCombo->currentText(); },
                                                   [&ui = ctx.ui] { return write_gate_passes(ui); }},
      link_(std::make_unique<SerialLink>(virtual_port_folder)),
      prompt_(std::make_unique<BoxFaultPrompt>(*ctx.seams.boxes, ctx.ui.MainWindow)),
      discovery_(std::make_unique<PortDiscovery>(ports, &log)),
      connection_(std::make_unique<Connection>(*link_, *prompt_, host_)),
      transfer_(std::make_unique<ProgramTransfer>(*link_, *prompt_, ctx.program, host_)),
      progress_(std::make_unique<TransferProgressWindow>(ctx.ui.MainWindow))
{
}

LinkController::~LinkController()
{
    close_link();
}

void LinkController::bind()
{
    const MainControls& ui = ctx_.ui;
    connect(ui.ConnectButton, &QPushButton::clicked, this, [this] { connection_->connect_device(); });
    connect(ui.DisconnectButton, &QPushButton::clicked, this, [this] {
        connection_->disconnect_device();
        keyboard_to_connect();
    });
    connect(ui.WriteProgramButton, &QPushButton::clicked, this, [this] { transfer_->write_program(); });
    connect(ui.ReadProgramButton, &QPushButton::clicked, this, [this] { transfer_->read_program(); });

    const auto to_log = [this](const QString& text, int mode) { log_.log_status(text, mode); };
    Connection* connection = connection_.get();
    connect(connection, &Connection::logged, this, to_log);
    connect(connection, &Connection::waiting, ui.StatusLog, [log = ui.StatusLog] { log->repaint(); });
    connect(connection, &Connection::systemDateShown, ui.SystemDateEdit,
            [field = ui.SystemDateEdit](const QString& text) { show_date(field, text); });
    connect(connection, &Connection::deviceDateShown, ui.DeviceDateEdit,
            [field = ui.DeviceDateEdit](const QString& text) { show_date(field, text); });

    ProgramTransfer* transfer = transfer_.get();
    TransferProgressWindow* progress = progress_.get();
    connect(transfer, &ProgramTransfer::logged, this, to_log);
    connect(transfer, &ProgramTransfer::started, progress, [progress] {
        progress->TransferProgressBar->setValue(0);
        progress->open_over_owner();
    });
    connect(transfer, &ProgramTransfer::stopLookedFor, progress, &TransferProgressWindow::watch_escape);
    connect(transfer, &ProgramTransfer::progressed, progress->TransferProgressBar, &QProgressBar::setValue);
    connect(transfer, &ProgramTransfer::finished, progress, &TransferProgressWindow::close_over_owner);
    connect(transfer, &ProgramTransfer::finished, this, &LinkController::keyboard_to_connect);
    connect(transfer, &ProgramTransfer::programReplaced, this, [this] { ctx_.rebuild_after_replacement(); });
    connect(progress->TransferStopButton, &QPushButton::clicked, transfer, &ProgramTransfer::request_stop);
}

bool LinkController::link_is_open() const
{
    return link_->link_is_open();
}

void LinkController::clock_display()
{
    connection_->clock_display();
}

void LinkController::supervision()
{
    const bool was_open = link_->link_is_open();
    connection_->supervision();
    if (was_open)
        keyboard_to_connect();
}

void LinkController::keyboard_to_connect()
{
    const MainControls& ui = ctx_.ui;
    if (link_->link_is_open() || !ui.ConnectButton->isVisible())
        return;
    const QWidget* focus = ui.MainWindow->focusWidget();
    if (focus == nullptr || focus == ui.DisconnectButton || focus == ui.WriteProgramButton ||
        focus == ui.ReadProgramButton)
        ui.ConnectButton->setFocus(Qt::OtherFocusReason);
}

void LinkController::brightness_preview()
{
    const MainControls& ui = ctx_.ui;
    if (!link_->link_is_open() || !ui.BrightnessSimulationCheck->isChecked() ||
        ui.MainPanel->currentIndex() != kOpticsTab)
        return;
    zuzo::BrightnessSet shown;
    for (int c = 1; c <= zuzo::kChannels; ++c)
        shown.channel(c) = ui.ChannelSlider[static_cast<std::size_t>(c)]->value();
    // Sent once; the outcome is not looked at. The sliders hold 0..100, so
    // the parameters always exist.
    if (const std::optional<zuzo::WriteParams> params = zuzo::preview_params(shown))
        (void)zuzo::write_exchange(*link_, *prompt_, zuzo::CMD_BRIGHTNESS_PREVIEW, *params);
}

void LinkController::port_discovery()
{
    if (link_->link_is_open())
        return;
    discovery_->scan();
}

void LinkController::close_link()
{
    link_->close_link();
}
