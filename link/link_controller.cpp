#include "link/link_controller.h"

#include "link/box_fault_prompt.h"
#include "link/connection.h"
#include "link/optics_bytes.h"
#include "link/port_discovery.h"
#include "link/port_names.h"
#include "link/program_transfer.h"
#include "link/serial_link.h"
#include "ui/app_context.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

namespace {

constexpr int kOpticsTab = 1;

} // namespace

LinkController::LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports, QObject* parent)
    : LinkController(ctx, log, ports, zuzo::virtual_port_folder(), parent)
{
}

LinkController::LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports,
                               const std::string& virtual_port_folder, QObject* parent)
    : QObject(parent), ctx_(ctx), link_(std::make_unique<SerialLink>(virtual_port_folder)),
      prompt_(std::make_unique<BoxFaultPrompt>(ctx.seams.boxes, prompt_parent_)),
      discovery_(std::make_unique<PortDiscovery>(ports, &log)),
      connection_(std::make_unique<Connection>(ctx, log, *link_, *prompt_, reply_)),
      transfer_(std::make_unique<ProgramTransfer>(ctx, log, *link_, *prompt_, reply_))
{
}

LinkController::~LinkController()
{
    close_link();
}

void LinkController::bind()
{
    prompt_parent_ = ctx_.ui.MainWindow;
    (void)transfer_->window(); // built with the main window
    const MainControls& ui = ctx_.ui;
    connect(ui.ConnectButton, &QPushButton::clicked, this, [this] { connection_->connect(); });
    connect(ui.DisconnectButton, &QPushButton::clicked, this, [this] { connection_->disconnect(); });
    connect(ui.WriteProgramButton, &QPushButton::clicked, this, [this] { transfer_->write_program(); });
    connect(ui.ReadProgramButton, &QPushButton::clicked, this, [this] { transfer_->read_program(); });
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
    connection_->supervision();
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
    // Sent once; the outcome is not looked at.
    (void)zuzo::write_exchange(*link_, *prompt_, zuzo::CMD_BRIGHTNESS_PREVIEW, zuzo::preview_params(shown));
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
