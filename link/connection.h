#pragma once
// What the user sees of the link outside a transfer: connect, disconnect,
// the computer's clock, and the supervision that asks the device for its
// status on every status tick. It touches no widget: log lines and dates are
// reported through its signals.

#include <QObject>
#include <QString>

struct LinkHost;
class SerialLink;
namespace zuzo {
class FaultPrompt;
}

class Connection : public QObject {
    Q_OBJECT
public:
    Connection(SerialLink& link, zuzo::FaultPrompt& prompt, const LinkHost& host, QObject* parent = nullptr);

    // ConnectButton: opens the port PortCombo names and has the device
    // identify itself; the link stays open only for a supported device.
    void connect_device();
    // DisconnectButton: closes an open link with a log line.
    void disconnect_device();
    // The computer's date and time, for SystemDateEdit.
    void clock_display();
    // While the link is open: the device's status, its clock for
    // DeviceDateEdit, and the closing of a link that no longer works.
    void supervision();

signals:
    // A line for StatusLog (mode LOG_PLAIN, LOG_CLEAR or LOG_STAMPED).
    void logged(const QString& text, int mode);
    // The port is about to be opened, which blocks the window: what the log
    // holds must show now.
    void waiting();
    void systemDateShown(const QString& text);
    void deviceDateShown(const QString& text);

private:
    void log(const QString& text, int mode);

    SerialLink& link_;
    zuzo::FaultPrompt& prompt_;
    const LinkHost& host_;
};
