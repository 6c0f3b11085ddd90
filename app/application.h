#pragma once
// The composition root of the tool: the shared context, the platform seams,
// the main window, every part bound to its controls, the two timers and the
// dispatch of menu ids, ticks and close requests.

#include "program/core/device_program.h"
#include "ui/app_context.h"

#include <QObject>

#include <functional>
#include <memory>

namespace zuzo {
class PortLister;
}
class QTimer;
class AuxiliaryCommands;
class CopyDialog;
class FileCommands;
class LinkController;
class OpticsEditor;
class PlanEditor;
class StatusLog;

class Application : public QObject {
    Q_OBJECT
public:
    // Seams left null are the real ones; ports may be null (no discovery).
    explicit Application(const Seams& seams = {}, zuzo::PortLister* ports = nullptr);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Builds the main window, binds every part, runs the start-up steps and
    // shows the window. False if the main window cannot be created.
    [[nodiscard]] bool start();

    AppContext& context() { return ctx_; }
    // The parts, built by start().
    AuxiliaryCommands& commands() { return *commands_; }
    CopyDialog& copy_dialog() { return *copy_dialog_; }
    FileCommands& file_commands() { return *files_; }
    LinkController& link() { return *link_; }
    OpticsEditor& optics() { return *optics_; }
    PlanEditor& plans() { return *plans_; }
    StatusLog& status_log() { return *log_; }
    QTimer* status_timer() const { return status_timer_; }
    QTimer* port_timer() const { return port_timer_; }

    // Menu items and toolbar buttons; other ids are ignored.
    void dispatch_menu(MenuId id);
    // Timer 1 (300 ms): clock, supervision, preview, transfer buttons.
    void status_tick();
    // Timer 2 (1000 ms): port discovery.
    void port_tick();

    // How the process ends after a confirmed Exit.
    void set_process_end(std::function<void(int)> end);

private:
    // Write, Read and Disconnect enabled while the link is open.
    void follow_link();
    void fill_initial_state();
    void connect_menu_and_close();

    zuzo::DeviceProgram program_;
    AppContext ctx_{program_};
    zuzo::PortLister* ports_;
    std::function<void(int)> end_process_;
    std::unique_ptr<MessageBoxes> real_boxes_;
    std::unique_ptr<FileDialogs> real_files_;
    std::unique_ptr<Launcher> real_launcher_;
    std::unique_ptr<WallClock> real_clock_;
    QTimer* status_timer_ = nullptr;
    QTimer* port_timer_ = nullptr;

    std::unique_ptr<StatusLog> log_;
    std::unique_ptr<OpticsEditor> optics_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<PlanEditor> plans_;
    std::unique_ptr<CopyDialog> copy_dialog_;
    std::unique_ptr<LinkController> link_;
    std::unique_ptr<AuxiliaryCommands> commands_;
};
