// log_status: the three modes, the stamp, plain text only.

#include "link/status_log.h"
#include "support/scripted_seams.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct LogStep {
    QString text;
    int mode;
};

struct LogCase {
    const char* name;
    std::vector<LogStep> steps;
    QString shown;                             // the whole plain text afterwards
    std::function<void(QTextEdit&)> user = {}; // then the user's own keys
};

class LogStatus : public ::testing::TestWithParam<LogCase> {
protected:
    QTextEdit edit;
    FixedClock clock;
};

TEST_P(LogStatus, WritesThePlainText)
{
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(9, 3, 7)));
    StatusLog log(&edit, &clock);
    for (const LogStep& step : GetParam().steps)
        log.log_status(step.text, step.mode);
    if (GetParam().user)
        GetParam().user(edit);
    EXPECT_EQ(edit.toPlainText(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LogStatus,
    ::testing::Values(
        LogCase{"plain_lines",
                {{"Ждите!!!", LOG_PLAIN}, {"Связь разорвана", LOG_PLAIN}},
                "Ждите!!!\nСвязь разорвана"},
        LogCase{"stamped_with_blank", {{" Порт закрыт", LOG_STAMPED}}, "09:03:07 -> Порт закрыт"},
        LogCase{"stamped_port_name", {{"COM3 Порт открыт", LOG_STAMPED}}, "09:03:07 ->COM3 Порт открыт"},
        LogCase{"clear_ignores_text", {{"a", LOG_PLAIN}, {"b", LOG_CLEAR}}, ""},
        LogCase{"after_clear", {{"a", LOG_PLAIN}, {"", LOG_CLEAR}, {"c", LOG_PLAIN}}, "c"},
        LogCase{"other_modes_do_nothing", {{"a", LOG_PLAIN}, {"x", 3}, {"y", -1}}, "a"},
        LogCase{"empty_first_line_kept", {{"", LOG_PLAIN}, {"b", LOG_PLAIN}}, "\nb"},
        LogCase{"markup_is_text", {{"<b>bold</b> &amp;", LOG_PLAIN}}, "<b>bold</b> &amp;"},
        // Undo, cut and typing change nothing; selecting and copying work.
        LogCase{"read_only_to_the_user",
                {{" Программа считана", LOG_STAMPED}},
                "09:03:07 -> Программа считана",
                [](QTextEdit& edit) {
                    for (const char* keys : {"Ctrl+Z", "Ctrl+A", "Ctrl+C", "Ctrl+X", "X"})
                        QTest::keySequence(&edit, QKeySequence(QString::fromLatin1(keys)));
                    EXPECT_EQ(QGuiApplication::clipboard()->text(), "09:03:07 -> Программа считана");
                }}),
    [](const ::testing::TestParamInfo<LogCase>& param) { return std::string(param.param.name); });

// What a screen reader is told: the lines written within one handler
// together, without their stamps, once it is done; then only newer lines.
// Faults: the stamp read out first; a line cutting off the one before; the
// rule and the blanks of a discovery read out; an older line told again.
TEST(LogStatusTold, TheHandlersLinesTogetherOnceItIsDone)
{
    const struct {
        std::vector<LogStep> steps;
        const char* told;
    } cases[] = {
        {{{"Ждите!!!", LOG_PLAIN}}, "Ждите!!!"},
        {{{"COM1 Порт открыт", LOG_STAMPED},
          {"Устройство не отвечает", LOG_PLAIN},
          {"Связь разорвана", LOG_PLAIN}},
         "COM1 Порт открыт. Устройство не отвечает. Связь разорвана."},
        {{{"Обнаружено новое ", LOG_STAMPED},
          {"соединение ttyUSB0", LOG_PLAIN},
          {"Порт  : COM33", LOG_PLAIN},
          {"-----------------------------------", LOG_PLAIN}},
         "Обнаружено новое соединение ttyUSB0. Порт: COM33."},
        {{{"", LOG_PLAIN}, {"x", LOG_CLEAR}}, ""},
    };
    for (const auto& c : cases) {
        QTextEdit edit;
        FixedClock clock;
        StatusLog log(&edit, &clock);
        for (const LogStep& step : c.steps)
            log.log_status(step.text, step.mode);
        EXPECT_EQ(log.announced(), QString());
        QCoreApplication::processEvents();
        EXPECT_EQ(log.announced(), QString::fromUtf8(c.told));
        log.log_status(QStringLiteral(" Порт закрыт"), LOG_STAMPED);
        QCoreApplication::processEvents();
        EXPECT_EQ(log.announced(), QStringLiteral("Порт закрыт."));
    }
}

TEST(LogStatusClock, EveryLineTakesTheTimeItIsWritten)
{
    QTextEdit edit;
    FixedClock clock;
    StatusLog log(&edit, &clock);
    log.log_status(QStringLiteral(" a"), LOG_STAMPED);
    clock.advance_seconds(3600 + 61);
    log.log_status(QStringLiteral(" b"), LOG_STAMPED);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("14:05:09 -> a\n15:06:10 -> b"));
}

TEST(LogStatusClock, AppendsBelowWhatTheLogAlreadyHolds)
{
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("earlier"));
    FixedClock clock;
    StatusLog log(&edit, &clock);
    log.log_status(QStringLiteral("later"), LOG_PLAIN);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("earlier\nlater"));
}

} // namespace
