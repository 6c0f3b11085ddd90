#pragma once
// The program write (optics into the device, two commands) and the program
// read (three commands, each reply stored as it comes), with the progress
// window and its Stop button.

#include "link/exchange.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

struct AppContext;
class SerialLink;
class StatusLog;
class TransferProgressWindow;

class ProgramTransfer : public QObject {
    Q_OBJECT
public:
    ProgramTransfer(AppContext& ctx, StatusLog& log, SerialLink& link, zuzo::FaultPrompt& prompt,
                    zuzo::ReplyArray& reply, QObject* parent = nullptr);
    ~ProgramTransfer() override;

    void write_program(); // WriteProgramButton
    void read_program();  // ReadProgramButton

    // Built with the main window, hidden between transfers.
    [[nodiscard]] TransferProgressWindow* window();

private:
    void begin(const QString& start_text);
    void finish(zuzo::ExchangeResult outcome, const QString& success_text);
    // One command under the attempt rule, with a Stop check before every
    // attempt; when done, after_done runs and the progress advances.
    zuzo::ExchangeResult command(const std::function<zuzo::ExchangeResult()>& exchange,
                                 const std::function<void()>& after_done = {});
    [[nodiscard]] bool stop_requested();

    AppContext& ctx_;
    StatusLog& log_;
    SerialLink& link_;
    zuzo::FaultPrompt& prompt_;
    zuzo::ReplyArray& reply_;
    std::unique_ptr<TransferProgressWindow> window_;
    int step_ = 0;
    bool stop_clicked_ = false;
};
