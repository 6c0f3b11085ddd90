#include "link/program_transfer.h"

#include "link/optics_bytes.h"
#include "link/serial_link.h"
#include "link/status_log.h"
#include "link/transfer_progress_window.h"
#include "program/device_program.h"
#include "program/write_gate.h"
#include "ui/app_context.h"
#include "ui/busy_scope.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>

#include <array>
#include <cmath>

using zuzo::ExchangeResult;

namespace {

constexpr int kStepWrap = 99;

} // namespace

ProgramTransfer::ProgramTransfer(AppContext& ctx, StatusLog& log, SerialLink& link, zuzo::FaultPrompt& prompt,
                                 zuzo::ReplyArray& reply, QObject* parent)
    : QObject(parent), ctx_(ctx), log_(log), link_(link), prompt_(prompt), reply_(reply)
{
}

ProgramTransfer::~ProgramTransfer() = default;

TransferProgressWindow* ProgramTransfer::window()
{
    if (!window_ && ctx_.ui.MainWindow) {
        window_ = std::make_unique<TransferProgressWindow>(ctx_.ui.MainWindow);
        connect(window_->TransferStopButton, &QPushButton::clicked, this, [this] { stop_clicked_ = true; });
    }
    return window_.get();
}

void ProgramTransfer::begin(const QString& start_text)
{
    log_.log_status(start_text, LOG_STAMPED);
    step_ = 0;
    stop_clicked_ = false;
    TransferProgressWindow* progress = window();
    progress->TransferProgressBar->setValue(0);
    progress->open_over_owner();
}

void ProgramTransfer::finish(ExchangeResult outcome, const QString& success_text)
{
    log_.log_status(outcome == ExchangeResult::EXCHANGE_DONE ? success_text : QStringLiteral(" Команда не выполнена"),
                    LOG_STAMPED);
    window_->close_over_owner();
}

bool ProgramTransfer::stop_requested()
{
    // The pending events are taken here: a click on Stop is seen, ticks are
    // dropped (the context is busy) and the main window takes no input.
    QCoreApplication::processEvents();
    return stop_clicked_;
}

ExchangeResult ProgramTransfer::command(const std::function<ExchangeResult()>& exchange,
                                        const std::function<void()>& after_done)
{
    const zuzo::AttemptOutcome outcome = zuzo::run_attempts(exchange, [this] { return stop_requested(); });
    if (outcome.result != ExchangeResult::EXCHANGE_DONE)
        return outcome.result;
    if (after_done)
        after_done();
    if (++step_ > kStepWrap)
        step_ = 0;
    // step x 3.5 to the nearest integer, ties to even: 4, 7, 10.
    window_->TransferProgressBar->setValue(static_cast<int>(std::nearbyint(step_ * 3.5)));
    return outcome.result;
}

void ProgramTransfer::write_program()
{
    if (!link_.link_is_open() || !ctx_.ui.MainWindow)
        return;
    const BusyScope busy(ctx_.busy);
    begin(QStringLiteral(" Старт запись программы"));
    ExchangeResult outcome = ExchangeResult::EXCHANGE_FAILED;
    if (!write_gate_passes(ctx_.ui)) {
        if (ctx_.seams.boxes)
            (void)ctx_.seams.boxes->show(
                window_.get(), QStringLiteral("Внимание!"),
                QStringLiteral("В составленной программе обнаружены ошибки.\n"
                               "Система запрещает производить некорректную запись\n"),
                MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        const zuzo::OpticsBytes bytes = zuzo::optics_write_bytes(ctx_.program);
        const zuzo::WriteParams first = zuzo::write_a_params(bytes);
        const zuzo::WriteParams second = zuzo::write_b_params(bytes);
        outcome =
            command([&] { return zuzo::write_exchange(link_, prompt_, zuzo::CMD_WRITE_OPTICS_A, first); });
        if (outcome == ExchangeResult::EXCHANGE_DONE)
            outcome = command(
                [&] { return zuzo::write_exchange(link_, prompt_, zuzo::CMD_WRITE_OPTICS_B, second); });
    }
    finish(outcome, QStringLiteral(" Программа записана"));
}

void ProgramTransfer::read_program()
{
    if (!link_.link_is_open() || !ctx_.ui.MainWindow)
        return;
    const BusyScope busy(ctx_.busy);
    begin(QStringLiteral(" Старт чтения программы"));
    ExchangeResult outcome = ExchangeResult::EXCHANGE_DONE;
    for (const std::uint8_t code :
         {zuzo::CMD_READ_OPTICS_A, zuzo::CMD_READ_OPTICS_B, zuzo::CMD_READ_OPTICS_C}) {
        outcome = command([&] { return zuzo::read_exchange(link_, prompt_, reply_, code, 0, 0); },
                          [&] { (void)zuzo::store_optics_reply(ctx_.program, code, reply_); });
        if (outcome != ExchangeResult::EXCHANGE_DONE)
            break;
    }
    finish(outcome, QStringLiteral(" Программа считана"));
    // The display follows the program also after a failed or stopped read.
    ctx_.rebuild_after_replacement();
}
