#pragma once
// What the user sees of the link outside a transfer: connect, disconnect,
// the computer's clock, and the supervision that asks the device for its
// status on every status tick.

#include "link/protocol.h"

#include <QString>

struct AppContext;
class SerialLink;
class StatusLog;
namespace zuzo {
class FaultPrompt;
}

class Connection {
public:
    Connection(AppContext& ctx, StatusLog& log, SerialLink& link, zuzo::FaultPrompt& prompt,
               zuzo::ReplyArray& reply);

    // ConnectButton: opens the port of PortCombo and has the device identify
    // itself; the link stays open only for a supported device.
    void connect();
    // DisconnectButton: closes an open link with a log line.
    void disconnect();
    // SystemDateEdit shows the computer's date and time.
    void clock_display();
    // While the link is open: the device's status, its clock into
    // DeviceDateEdit, and the closing of a link that no longer works.
    void supervision();

private:
    void log(const QString& text, int mode);

    AppContext& ctx_;
    StatusLog& log_;
    SerialLink& link_;
    zuzo::FaultPrompt& prompt_;
    zuzo::ReplyArray& reply_;
};
