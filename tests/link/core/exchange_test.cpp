// read_exchange, write_exchange, the EEPROM fault questions and the attempt
// rule, over a scripted channel (the protocol's own seam).

#include "link/core/exchange.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using namespace zuzo;

namespace {

class ScriptedChannel : public IoChannel {
public:
    bool open = true;
    std::deque<IoResult> replies; // an empty queue answers with silence
    std::vector<std::string> frames;
    std::vector<std::size_t> expected; // the reply length told before each frame

    bool is_open() const override { return open; }
    void expect_reply(std::size_t characters) override { expected.push_back(characters); }
    IoResult run_io(const std::string& frame) override
    {
        frames.push_back(frame);
        if (replies.empty())
            return {};
        IoResult r = replies.front();
        replies.pop_front();
        return r;
    }
    void say(std::string text) { replies.push_back({IoStatus::Done, std::move(text)}); }
};

class ScriptedPrompt : public FaultPrompt {
public:
    std::deque<FaultAnswer> answers;
    std::vector<const FaultQuestion*> asked;
    FaultAnswer ask(const FaultQuestion& q) override
    {
        asked.push_back(&q);
        FaultAnswer a = answers.empty() ? FaultAnswer::Cancel : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return a;
    }
};

std::string data_reply(const std::string& data20, const std::string& markers = "on#\r")
{
    unsigned sum = 0;
    for (char c : data20)
        sum += static_cast<unsigned char>(c);
    return data20 + hex_pair(static_cast<std::uint8_t>(sum % 256)) + markers;
}

const std::string kCountingData = "0102030405060708090A";

ReplyBytes marked()
{
    ReplyBytes r;
    r.data.fill(0xA7);
    return r;
}

} // namespace

// The link paces its waiting on the told length: it must be the length of
// the replies that are accepted.
TEST(ReplyLength, EachExchangeTellsTheLengthOfTheReplyItAccepts)
{
    ScriptedChannel io;
    ScriptedPrompt prompt;
    ReplyBytes reply{};
    const std::string read_reply = data_reply(kCountingData);
    const std::string write_reply = "on#\r";
    io.say(read_reply);
    io.say(write_reply);
    EXPECT_EQ(read_exchange(io, prompt, reply, CMD_READ_OPTICS_A), ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(write_exchange(io, prompt, CMD_WRITE_OPTICS_A, WriteParams{}), ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(io.expected, (std::vector<std::size_t>{read_reply.size(), write_reply.size()}));
    EXPECT_EQ(io.frames.size(), 2u);
}

TEST(ReadExchange, SendsTheStatusFrame)
{
    ScriptedChannel io;
    ScriptedPrompt prompt;
    ReplyBytes reply{};
    io.say(data_reply(kCountingData));
    EXPECT_EQ(read_exchange(io, prompt, reply, CMD_STATUS, 0, 0), ExchangeResult::EXCHANGE_DONE);
    ASSERT_EQ(io.frames.size(), 1u);
    EXPECT_EQ(io.frames[0], "80000028\r");
    for (std::size_t k = 1; k <= 10; ++k)
        EXPECT_EQ(reply.byte(k), k);
}

TEST(ReadExchange, ReplyOutcomes)
{
    const struct {
        const char* name;
        IoResult io;
        ExchangeResult result;
    } cases[] = {
        {"silence", {IoStatus::Done, ""}, ExchangeResult::EXCHANGE_FAILED},
        {"stalled", {IoStatus::Stalled, data_reply(kCountingData)}, ExchangeResult::EXCHANGE_STALLED},
        {"no marker", {IoStatus::Done, data_reply(kCountingData, "#\r")}, ExchangeResult::EXCHANGE_FAILED},
        {"of", {IoStatus::Done, "of#\r"}, ExchangeResult::EXCHANGE_FAILED},
        {"data with of",
         {IoStatus::Done, data_reply(kCountingData, "of#\r")},
         ExchangeResult::EXCHANGE_FAILED},
        {"bare on", {IoStatus::Done, "on#\r"}, ExchangeResult::EXCHANGE_FAILED},
        {"21 chars", {IoStatus::Done, data_reply(kCountingData).substr(1)}, ExchangeResult::EXCHANGE_FAILED},
        {"23 chars",
         {IoStatus::Done, std::string("0").append(data_reply(kCountingData))},
         ExchangeResult::EXCHANGE_FAILED},
        {"changed char",
         {IoStatus::Done, std::string("1").append(data_reply(kCountingData).substr(1))},
         ExchangeResult::EXCHANGE_FAILED},
        {"with LF",
         {IoStatus::Done, std::string("\n").append(data_reply(kCountingData, "\non#\r\n"))},
         ExchangeResult::EXCHANGE_DONE},
        {"on and of", {IoStatus::Done, data_reply(kCountingData, "of#on#\r")}, ExchangeResult::EXCHANGE_DONE},
    };
    for (const auto& c : cases) {
        ScriptedChannel io;
        ScriptedPrompt prompt;
        io.replies.push_back(c.io);
        ReplyBytes reply = marked();
        EXPECT_EQ(read_exchange(io, prompt, reply, CMD_READ_OPTICS_A), c.result) << c.name;
        if (c.result == ExchangeResult::EXCHANGE_DONE)
            EXPECT_EQ(reply.byte(10), 10) << c.name;
        else
            EXPECT_EQ(reply, marked()) << c.name;
        EXPECT_TRUE(prompt.asked.empty()) << c.name;
    }
}

TEST(ReadExchange, ClosedLinkIsBrokenAndSendsNothing)
{
    ScriptedChannel io;
    io.open = false;
    ScriptedPrompt prompt;
    ReplyBytes reply = marked();
    EXPECT_EQ(read_exchange(io, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_BROKEN);
    EXPECT_TRUE(io.frames.empty());
    EXPECT_EQ(reply, marked());
}

TEST(ReadExchange, FaultAnswers)
{
    const struct {
        const char* markers;
        FaultAnswer answer;
        ExchangeResult result;
        const FaultQuestion& (*question)();
    } cases[] = {
        {"os#\r", FaultAnswer::Yes, ExchangeResult::EXCHANGE_FAILED, read_fault_micro},
        {"os#\r", FaultAnswer::No, ExchangeResult::EXCHANGE_DONE, read_fault_micro},
        {"os#\r", FaultAnswer::Cancel, ExchangeResult::EXCHANGE_BROKEN, read_fault_micro},
        {"ol#on#\r", FaultAnswer::Yes, ExchangeResult::EXCHANGE_FAILED, read_fault_external},
        {"on#ol#\r", FaultAnswer::No, ExchangeResult::EXCHANGE_DONE, read_fault_external},
        {"ol#\r", FaultAnswer::Cancel, ExchangeResult::EXCHANGE_BROKEN, read_fault_external},
    };
    for (const auto& c : cases) {
        ScriptedChannel io;
        ScriptedPrompt prompt;
        prompt.answers = {c.answer};
        io.say(data_reply(kCountingData, c.markers));
        ReplyBytes reply = marked();
        EXPECT_EQ(read_exchange(io, prompt, reply, CMD_READ_OPTICS_B), c.result) << c.markers;
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0], &c.question());
        if (c.answer == FaultAnswer::No) {
            for (std::size_t k = 1; k <= 10; ++k)
                EXPECT_EQ(reply.byte(k), 255);
        } else {
            EXPECT_EQ(reply, marked());
        }
    }
}

TEST(ReadExchange, BothFaultMarkersAskTwiceSecondDecides)
{
    ScriptedChannel io;
    ScriptedPrompt prompt;
    prompt.answers = {FaultAnswer::Cancel, FaultAnswer::Yes};
    io.say("ol#os#on#\r");
    ReplyBytes reply = marked();
    EXPECT_EQ(read_exchange(io, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_FAILED);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0], &read_fault_micro()); // "os#" is always asked first
    EXPECT_EQ(prompt.asked[1], &read_fault_external());
}

TEST(WriteExchange, Outcomes)
{
    const struct {
        const char* reply;
        ExchangeResult result;
    } cases[] = {{"on#\r", ExchangeResult::EXCHANGE_DONE},
                 {"xxon#\rzz", ExchangeResult::EXCHANGE_DONE},
                 {"of#\r", ExchangeResult::EXCHANGE_FAILED},
                 {"", ExchangeResult::EXCHANGE_FAILED},
                 {"garbage#\r", ExchangeResult::EXCHANGE_FAILED}};
    for (const auto& c : cases) {
        ScriptedChannel io;
        ScriptedPrompt prompt;
        io.say(c.reply);
        EXPECT_EQ(write_exchange(io, prompt, CMD_WRITE_OPTICS_A, WriteParams{}), c.result) << c.reply;
        ASSERT_EQ(io.frames.size(), 1u);
        EXPECT_EQ(io.frames[0].size(), kWriteFrameLength);
    }
}

TEST(WriteExchange, FaultAnswers)
{
    const struct {
        const char* reply;
        FaultAnswer answer;
        ExchangeResult result;
        const FaultQuestion& (*question)();
    } cases[] = {
        {"os#\r", FaultAnswer::Yes, ExchangeResult::EXCHANGE_FAILED, write_fault_micro},
        {"os#on#\r", FaultAnswer::No, ExchangeResult::EXCHANGE_BROKEN, write_fault_micro},
        {"ol#\r", FaultAnswer::Yes, ExchangeResult::EXCHANGE_FAILED, write_fault_external},
        {"ol#\r", FaultAnswer::No, ExchangeResult::EXCHANGE_BROKEN, write_fault_external},
    };
    for (const auto& c : cases) {
        ScriptedChannel io;
        ScriptedPrompt prompt;
        prompt.answers = {c.answer};
        io.say(c.reply);
        EXPECT_EQ(write_exchange(io, prompt, CMD_WRITE_OPTICS_B, WriteParams{}), c.result) << c.reply;
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0], &c.question());
    }
}

TEST(FaultQuestions, ExactTexts)
{
    EXPECT_EQ(read_fault_micro().title, "Внимание!");
    EXPECT_EQ(read_fault_micro().text, "Повреждена EEPROM микроконтроллера\nПовтор операции, нажмите “ДА”\n"
                                       "Пропустить ошибку, нажмите “НЕТ”\nРазрыв связи, нажмите “ОТМЕНА”\n");
    EXPECT_TRUE(read_fault_micro().offers_cancel);
    EXPECT_EQ(read_fault_external().text,
              "Повреждена EEPROM внешняя\nПовтор операции, нажмите “ДА”\n"
              "Пропустить ошибку, нажмите “НЕТ”\nРазрыв связи, нажмите “ОТМЕНА”\n");
    EXPECT_TRUE(read_fault_external().offers_cancel);
    EXPECT_EQ(write_fault_micro().text, "Повреждена EEPROM микроконтроллера\nДля повтора операции нажмите "
                                        "“ДА”\nДля разрыва связи нажмите “НЕТ”\n");
    EXPECT_FALSE(write_fault_micro().offers_cancel);
    EXPECT_EQ(
        write_fault_external().text,
        "Повреждена EEPROM внешняя\nДля повтора операции нажмите “ДА”\nДля разрыва связи нажмите “НЕТ”\n");
    EXPECT_EQ(write_fault_external().title, "Внимание!");
    EXPECT_FALSE(write_fault_external().offers_cancel);
}

TEST(AttemptRule, Counts)
{
    using R = ExchangeResult;
    const struct {
        std::vector<R> script; // results of successive attempts
        R result;
        int attempts;
    } cases[] = {
        {{R::EXCHANGE_DONE}, R::EXCHANGE_DONE, 1},
        {{R::EXCHANGE_FAILED, R::EXCHANGE_STALLED, R::EXCHANGE_DONE}, R::EXCHANGE_DONE, 3},
        {{R::EXCHANGE_BROKEN}, R::EXCHANGE_BROKEN, 1},
        {{R::EXCHANGE_FAILED, R::EXCHANGE_BROKEN}, R::EXCHANGE_BROKEN, 2},
        {std::vector<R>(20, R::EXCHANGE_FAILED), R::EXCHANGE_FAILED, 8},
        {std::vector<R>(20, R::EXCHANGE_STALLED), R::EXCHANGE_STALLED, 8},
        {{R::EXCHANGE_FAILED, R::EXCHANGE_FAILED, R::EXCHANGE_FAILED, R::EXCHANGE_FAILED, R::EXCHANGE_FAILED,
          R::EXCHANGE_FAILED, R::EXCHANGE_FAILED, R::EXCHANGE_DONE},
         R::EXCHANGE_DONE,
         8},
    };
    for (const auto& c : cases) {
        std::size_t next = 0;
        const AttemptOutcome out = run_attempts([&] { return c.script.at(next++); });
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(out.attempts, c.attempts);
        EXPECT_EQ(next, static_cast<std::size_t>(c.attempts));
    }
}

TEST(AttemptRule, StopCheckedBeforeEveryAttempt)
{
    for (int stop_at = 0; stop_at < 4; ++stop_at) {
        int checks = 0;
        int made = 0;
        const AttemptOutcome out = run_attempts(
            [&] {
                ++made;
                return ExchangeResult::EXCHANGE_STALLED;
            },
            [&] { return checks++ == stop_at; });
        EXPECT_EQ(out.result, ExchangeResult::EXCHANGE_FAILED);
        EXPECT_EQ(out.attempts, stop_at);
        EXPECT_EQ(made, stop_at);
    }
}

TEST(AttemptRule, RepeatsTheSameFrameOverAChannel)
{
    ScriptedChannel io;
    ScriptedPrompt prompt;
    ReplyBytes reply{};
    io.say("of#\r");
    io.say(data_reply(kCountingData));
    const AttemptOutcome out =
        run_attempts([&] { return read_exchange(io, prompt, reply, CMD_READ_OPTICS_A); });
    EXPECT_EQ(out.result, ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(out.attempts, 2);
    EXPECT_EQ(io.frames, (std::vector<std::string>{"8700002F\r", "8700002F\r"}));
}
