#pragma once
// The serial link wired to the main window. The device side (link/) touches
// no widget: its buttons call it here, and what it reports (log lines, dates,
// the progress of a transfer) lands here in StatusLog, the date fields and
// the progress window. Also the status tick's clock display, supervision and
// brightness preview, and the port tick's discovery.

#include "link/link_host.h"

#include <QObject>

#include <memory>
#include <string>

namespace zuzo {
class PortLister;
}
struct AppContext;
class BoxFaultPrompt;
class Connection;
class PortDiscovery;
class ProgramTransfer;
class SerialLink;
class StatusLog;
class TransferProgressWindow;

class LinkController : public QObject {
    Q_OBJECT
public:
    // Built after the main window. The virtual port folder is the user's (see
    // link/core/port_names.h). log: where the link reports; ports: the list of
    // serial ports (none: no discovery).
    LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports, QObject* parent = nullptr);
    // virtual_port_folder: where COMn links stand for COM names.
    LinkController(AppContext& ctx, StatusLog& log, zuzo::PortLister* ports,
                   const std::string& virtual_port_folder, QObject* parent = nullptr);
    ~LinkController() override;

    // Connects ConnectButton, DisconnectButton, WriteProgramButton and
    // ReadProgramButton to their handlers, and the reports of the device side
    // to the controls.
    void bind();

    [[nodiscard]] bool link_is_open() const;
    void clock_display();      // status tick step 1
    void supervision();        // status tick step 2
    void brightness_preview(); // status tick step 3
    void port_discovery();     // port tick
    void close_link();         // at exit

private:
    // Once the link is closed (a disconnect, a lost port, a transfer that
    // lost it), the keyboard leaves the buttons that need the link, which
    // the next status tick disables, for ConnectButton.
    void keyboard_to_connect();

    AppContext& ctx_;
    StatusLog& log_;
    LinkHost host_;
    std::unique_ptr<SerialLink> link_;
    std::unique_ptr<BoxFaultPrompt> prompt_;
    std::unique_ptr<PortDiscovery> discovery_;
    std::unique_ptr<Connection> connection_;
    std::unique_ptr<ProgramTransfer> transfer_;
    std::unique_ptr<TransferProgressWindow> progress_;
};
