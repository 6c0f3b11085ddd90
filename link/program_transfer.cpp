#include "link/program_transfer.h"

#include "link/core/optics_bytes.h"
#include "link/core/optics_transfer.h"
#include "link/link_host.h"
#include "link/serial/serial_link.h"
#include "link/status_log.h"
#include "program/core/device_program.h"
#include "program/core/optics_range.h"
#include "ui/busy_scope.h"
#include "ui/seams.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

using zuzo::ExchangeResult;

namespace {

constexpr int kStepWrap = 99;

} // namespace

ProgramTransfer::ProgramTransfer(SerialLink& link, zuzo::FaultPrompt& prompt, zuzo::DeviceProgram& program,
                                 const LinkHost& host, QObject* parent)
    : QObject(parent), link_(link), prompt_(prompt), program_(program), host_(host)
{
}

void ProgramTransfer::begin(const QString& start_text)
{
    emit logged(start_text, LOG_STAMPED);
    step_ = 0;
    stop_clicked_ = false;
    emit started();
}

void ProgramTransfer::finish(ExchangeResult outcome, const QString& success_text)
{
    emit logged(outcome == ExchangeResult::EXCHANGE_DONE ? success_text
                                                         : QStringLiteral(" Команда не выполнена"),
                LOG_STAMPED);
    emit finished();
}

bool ProgramTransfer::stop_requested()
{
    // The pending events are taken here: a click on Stop is seen, ticks are
    // dropped (the context is busy) and the main window takes no input.
    emit stopLookedFor();
    QCoreApplication::processEvents();
    return stop_clicked_;
}

zuzo::RunTransferStep ProgramTransfer::step_runner(ExchangeResult& outcome)
{
    return [this, &outcome](const zuzo::TransferStep& step) {
        outcome = zuzo::run_attempts(step.exchange, [this] { return stop_requested(); }).result;
        if (outcome != ExchangeResult::EXCHANGE_DONE)
            return false;
        step.done();
        if (++step_ > kStepWrap)
            step_ = 0;
        // step x 3.5 to the nearest integer, ties to even: 4, 7, 10.
        emit progressed(static_cast<int>(std::nearbyint(step_ * 3.5)));
        return true;
    };
}

void ProgramTransfer::write_program()
{
    if (!link_.link_is_open())
        return;
    const BusyScope busy(host_.busy);
    begin(QStringLiteral(" Старт запись программы"));
    ExchangeResult outcome = ExchangeResult::EXCHANGE_FAILED;
    // A value from a file that the device cannot hold as it stands (a
    // brightness above 100 %, a threshold above 65535) is an error of the
    // program like a broken rule: refused, never squeezed into range.
    const std::optional<zuzo::OpticsBytes> bytes = zuzo::optics_write_bytes(program_);
    if (!host_.write_allowed() || !bytes) {
        // Shown over the progress window, which is open over box_parent. A
        // value that cannot travel is named under the message, with why.
        const std::optional<std::string> unsendable = zuzo::first_inexact_optics_label(program_);
        (void)host_.boxes.show(host_.box_parent, QStringLiteral("Внимание!"),
                               QStringLiteral("В составленной программе обнаружены ошибки.\n"
                                              "Система запрещает производить некорректную запись\n") +
                                   QString::fromStdString(unsendable.value_or(std::string())),
                               MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        (void)zuzo::write_optics(link_, prompt_, *bytes, step_runner(outcome));
    }
    finish(outcome, QStringLiteral(" Программа записана"));
}

void ProgramTransfer::read_program()
{
    if (!link_.link_is_open())
        return;
    const BusyScope busy(host_.busy);
    begin(QStringLiteral(" Старт чтения программы"));
    ExchangeResult outcome = ExchangeResult::EXCHANGE_DONE;
    (void)zuzo::read_optics(link_, prompt_, step_runner(outcome),
                            [this](std::uint8_t code, const zuzo::ReplyBytes& reply) {
                                (void)zuzo::store_optics_reply(program_, code, reply);
                            });
    finish(outcome, QStringLiteral(" Программа считана"));
    // The display follows the program also after a failed or stopped read.
    emit programReplaced();
}
