#pragma once
// The program write (optics into the device, two commands) and the program
// read (three commands, each reply stored as it comes), with a Stop check
// before every attempt. It touches no widget: the log lines, the opening and
// closing of the progress window and its progress are reported through its
// signals, and Stop comes in through request_stop().

#include "link/core/exchange.h"
#include "link/core/optics_transfer.h"

#include <QObject>
#include <QString>

namespace zuzo {
struct DeviceProgram;
}
struct LinkHost;
class SerialLink;

class ProgramTransfer : public QObject {
    Q_OBJECT
public:
    ProgramTransfer(SerialLink& link, zuzo::FaultPrompt& prompt, zuzo::DeviceProgram& program,
                    const LinkHost& host, QObject* parent = nullptr);

    void write_program(); // WriteProgramButton
    void read_program();  // ReadProgramButton

    // TransferStopButton: the transfer ends at its next Stop check.
    void request_stop() { stop_clicked_ = true; }

signals:
    // A line for StatusLog (mode LOG_STAMPED).
    void logged(const QString& text, int mode);
    // A transfer begins: progress 0, the main window disabled under the
    // progress window.
    void started();
    // Stop is looked for before an attempt: the window's keys are taken now.
    void stopLookedFor();
    // A command is done: the progress bar shows value.
    void progressed(int value);
    // The transfer is over: the progress window closes, the main window is
    // enabled again.
    void finished();
    // After a read, done or not: the program's optics were replaced.
    void programReplaced();

private:
    void begin(const QString& start_text);
    void finish(zuzo::ExchangeResult outcome, const QString& success_text);
    // Runs each command of a transfer under the attempt rule, with a Stop
    // check before every attempt; when it is done, its reply is taken and
    // the progress advances. outcome is that of the last command run.
    [[nodiscard]] zuzo::RunTransferStep step_runner(zuzo::ExchangeResult& outcome);
    [[nodiscard]] bool stop_requested();

    SerialLink& link_;
    zuzo::FaultPrompt& prompt_;
    zuzo::DeviceProgram& program_;
    const LinkHost& host_;
    int step_ = 0;
    bool stop_clicked_ = false;
};
