#include "link/core/exchange.h"

namespace zuzo {
namespace {

constexpr std::string_view kEepromFaultTitle = "Внимание!";

// What the steps shared by both kinds make of an exchange: an exchange
// result, or, for a read whose EEPROM fault the user chose to skip, Skip.
struct Steps {
    ExchangeResult result = ExchangeResult::EXCHANGE_FAILED;
    bool skip = false; // the data count as 255 each; result is EXCHANGE_DONE
};

Steps answer_steps(FaultAnswer answer, bool is_read)
{
    switch (answer) {
    case FaultAnswer::Yes:
        return {ExchangeResult::EXCHANGE_FAILED};
    case FaultAnswer::No:
        return is_read ? Steps{ExchangeResult::EXCHANGE_DONE, true} : Steps{ExchangeResult::EXCHANGE_BROKEN};
    case FaultAnswer::Cancel:
        break;
    }
    return {ExchangeResult::EXCHANGE_BROKEN};
}

// Steps shared by both kinds: send, count the markers, ask the fault boxes.
// Leaves the text in reply.
Steps exchange_steps(IoChannel& io, FaultPrompt& prompt, const std::string& frame, bool is_read,
                     std::string& reply)
{
    if (!io.is_open())
        return {ExchangeResult::EXCHANGE_BROKEN};
    io.expect_reply(is_read ? kReadReplyLength : kWriteReplyLength);
    IoResult got = io.run_io(frame);
    if (got.status == IoStatus::Stalled)
        return {ExchangeResult::EXCHANGE_STALLED};
    reply = std::move(got.reply);

    const MarkerCounts m = count_markers(reply);
    // No "on#" also covers a text without any marker.
    Steps steps{m.on == 0 ? ExchangeResult::EXCHANGE_FAILED : ExchangeResult::EXCHANGE_DONE};
    if (m.os > 0)
        steps = answer_steps(prompt.ask(is_read ? read_fault_micro() : write_fault_micro()), is_read);
    if (m.ol > 0)
        steps = answer_steps(prompt.ask(is_read ? read_fault_external() : write_fault_external()), is_read);
    return steps;
}

} // namespace

const FaultQuestion& read_fault_micro()
{
    static const FaultQuestion q{kEepromFaultTitle,
                                 "Повреждена EEPROM микроконтроллера\n"
                                 "Повтор операции, нажмите “ДА”\n"
                                 "Пропустить ошибку, нажмите “НЕТ”\n"
                                 "Разрыв связи, нажмите “ОТМЕНА”\n",
                                 true};
    return q;
}

const FaultQuestion& read_fault_external()
{
    static const FaultQuestion q{kEepromFaultTitle,
                                 "Повреждена EEPROM внешняя\n"
                                 "Повтор операции, нажмите “ДА”\n"
                                 "Пропустить ошибку, нажмите “НЕТ”\n"
                                 "Разрыв связи, нажмите “ОТМЕНА”\n",
                                 true};
    return q;
}

const FaultQuestion& write_fault_micro()
{
    static const FaultQuestion q{kEepromFaultTitle,
                                 "Повреждена EEPROM микроконтроллера\n"
                                 "Для повтора операции нажмите “ДА”\n"
                                 "Для разрыва связи нажмите “НЕТ”\n",
                                 false};
    return q;
}

const FaultQuestion& write_fault_external()
{
    static const FaultQuestion q{kEepromFaultTitle,
                                 "Повреждена EEPROM внешняя\n"
                                 "Для повтора операции нажмите “ДА”\n"
                                 "Для разрыва связи нажмите “НЕТ”\n",
                                 false};
    return q;
}

ExchangeResult read_exchange(IoChannel& io, FaultPrompt& prompt, ReplyBytes& reply, std::uint8_t code,
                             std::uint8_t p1, std::uint8_t p2)
{
    std::string text;
    const Steps steps = exchange_steps(io, prompt, read_frame(code, p1, p2), true, text);
    if (steps.skip) {
        reply.data.fill(255);
        return ExchangeResult::EXCHANGE_DONE;
    }
    if (steps.result != ExchangeResult::EXCHANGE_DONE)
        return steps.result;
    return decode_read_reply(text, reply) == ReplyDecode::Ok ? ExchangeResult::EXCHANGE_DONE
                                                             : ExchangeResult::EXCHANGE_FAILED;
}

ExchangeResult write_exchange(IoChannel& io, FaultPrompt& prompt, std::uint8_t code,
                              const WriteParams& params)
{
    std::string text;
    return exchange_steps(io, prompt, write_frame(code, params), false, text).result;
}

AttemptOutcome run_attempts(const std::function<ExchangeResult()>& exchange,
                            const std::function<bool()>& stop_requested)
{
    AttemptOutcome out;
    do {
        if (stop_requested && stop_requested()) {
            out.result = ExchangeResult::EXCHANGE_FAILED;
            return out;
        }
        ++out.attempts;
        out.result = exchange();
    } while (
        (out.result == ExchangeResult::EXCHANGE_FAILED || out.result == ExchangeResult::EXCHANGE_STALLED) &&
        out.attempts < kAttemptLimit);
    return out;
}

} // namespace zuzo
