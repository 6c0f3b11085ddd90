#include "link/exchange.h"

namespace zuzo {
namespace {

constexpr std::string_view kEepromFaultTitle = "Внимание!";

// The answer codes of the fault boxes: 0..3 are exchange results, 6 skips.
constexpr int kSkip = 6;

int answer_code(FaultAnswer answer, bool is_read)
{
    switch (answer) {
    case FaultAnswer::Yes:
        return static_cast<int>(ExchangeResult::EXCHANGE_FAILED);
    case FaultAnswer::No:
        return is_read ? kSkip : static_cast<int>(ExchangeResult::EXCHANGE_BROKEN);
    case FaultAnswer::Cancel:
        return static_cast<int>(ExchangeResult::EXCHANGE_BROKEN);
    }
    return static_cast<int>(ExchangeResult::EXCHANGE_BROKEN);
}

// Steps shared by both kinds: send, count the markers, ask the fault boxes.
// Returns the result code (0, 1, 2, 3 or kSkip) and leaves the text in reply.
int exchange_steps(IoChannel& io, FaultPrompt& prompt, const std::string& frame, bool is_read,
                   std::string& reply)
{
    if (!io.is_open())
        return static_cast<int>(ExchangeResult::EXCHANGE_BROKEN);
    io.expect_reply(is_read ? kReadReplyLength : kWriteReplyLength);
    IoResult got = io.run_io(frame);
    if (got.status == IoStatus::Stalled)
        return static_cast<int>(ExchangeResult::EXCHANGE_STALLED);
    reply = std::move(got.reply);

    const MarkerCounts m = count_markers(reply);
    int result = static_cast<int>(ExchangeResult::EXCHANGE_DONE);
    if (m.on == 0) // also covers a text without any marker
        result = static_cast<int>(ExchangeResult::EXCHANGE_FAILED);
    if (m.os > 0)
        result = answer_code(prompt.ask(is_read ? read_fault_micro() : write_fault_micro()), is_read);
    if (m.ol > 0)
        result = answer_code(prompt.ask(is_read ? read_fault_external() : write_fault_external()), is_read);
    return result;
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

ExchangeResult read_exchange(IoChannel& io, FaultPrompt& prompt, ReplyArray& reply, std::uint8_t code,
                             std::uint8_t p1, std::uint8_t p2)
{
    std::string text;
    const int result = exchange_steps(io, prompt, read_frame(code, p1, p2), true, text);
    if (result == kSkip) {
        for (std::size_t k = 1; k <= 10; ++k)
            reply[k] = 255;
        return ExchangeResult::EXCHANGE_DONE;
    }
    if (result != static_cast<int>(ExchangeResult::EXCHANGE_DONE))
        return static_cast<ExchangeResult>(result);
    return decode_read_reply(text, reply) == ReplyDecode::Ok ? ExchangeResult::EXCHANGE_DONE
                                                             : ExchangeResult::EXCHANGE_FAILED;
}

ExchangeResult write_exchange(IoChannel& io, FaultPrompt& prompt, std::uint8_t code,
                              const WriteParams& params)
{
    std::string text;
    return static_cast<ExchangeResult>(exchange_steps(io, prompt, write_frame(code, params), false, text));
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
