// The serial link on Windows' communications calls, through COM ports that
// lead to running simulators: ZUZO_TEST_COM_ANSWERING names one that
// answers at line speed, ZUZO_TEST_COM_SILENT one that never answers,
// ZUZO_TEST_COM_VANISHING one whose line closes after its first reply
// (scripts/windows-check.sh maps them in the Wine prefix). Without them the
// tests are skipped.

#include "link/core/port_names.h"
#include "link/core/protocol.h"
#include "link/core/serial_port.h"
#include "link/serial/serial_link.h"
#include "support/test_system.h"

#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

namespace {

const std::string kStatusFrame = "80000028\r";
constexpr std::size_t kStatusReply = zuzo::kReadReplyLength; // data, "on#", CR

QString port(const char* variable)
{
    return qEnvironmentVariable(variable);
}

class SerialLinkWindows : public ::testing::Test {
protected:
    SerialLink link{std::string()};
};

TEST_F(SerialLinkWindows, AComNameInAnyCaseReachesTheDevice)
{
    const QString answering = port("ZUZO_TEST_COM_ANSWERING");
    if (answering.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    ASSERT_TRUE(link.open_link(answering.toLower()));
    EXPECT_TRUE(link.is_open());
    link.expect_reply(kStatusReply);
    QElapsedTimer clock;
    clock.start();
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    const qint64 ms = clock.elapsed();
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply.size(), kStatusReply) << result.reply;
    EXPECT_EQ(result.reply.substr(result.reply.size() - 4), "on#\r");
    // A figure, not a limit: frame and reply take 36.5 ms on the line.
    std::printf("status exchange through %s: %lld ms\n", qPrintable(answering), static_cast<long long>(ms));
}

TEST_F(SerialLinkWindows, MissingPortFailsAndLeavesTheLinkClosed)
{
    const QString answering = port("ZUZO_TEST_COM_ANSWERING");
    if (answering.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    EXPECT_FALSE(link.open_link(QStringLiteral("COM199")));
    EXPECT_FALSE(link.link_is_open());
    // Open first, then fail: the old port is closed all the same.
    ASSERT_TRUE(link.open_link(answering));
    EXPECT_FALSE(link.open_link(QStringLiteral("COM199")));
    EXPECT_FALSE(link.link_is_open());
    EXPECT_FALSE(link.is_open());
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply, "");
    // Closed, the port can be opened again.
    EXPECT_TRUE(link.open_link(answering));
}

// The port under the link: raw bytes out and in, a read never takes more
// than it asks for (the rest waits for the next one), a closed port moves
// nothing.
TEST_F(SerialLinkWindows, ThePortMovesRawBytes)
{
    const QString answering = port("ZUZO_TEST_COM_ANSWERING");
    if (answering.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    const std::unique_ptr<zuzo::SerialPort> raw = zuzo::make_system_port();
    ASSERT_EQ(raw->open(zuzo::resolve_port(answering.toStdString(), std::string())),
              zuzo::PortOpenError::None);
    const auto in_a_second = [] { return std::chrono::steady_clock::now() + std::chrono::seconds(1); };
    ASSERT_EQ(raw->write(kStatusFrame.data(), kStatusFrame.size(), in_a_second()).count, kStatusFrame.size());
    // The reply comes at line speed: read all but two characters, then ask
    // for more than are left.
    std::string reply;
    char buffer[64] = {};
    const std::size_t most = kStatusReply - 2;
    for (int i = 0; i < 100 && reply.size() < kStatusReply; ++i) {
        const std::size_t ask = reply.size() < most ? most - reply.size() : sizeof buffer;
        const zuzo::PortIo got = raw->read(buffer, ask, in_a_second());
        ASSERT_FALSE(got.lost);
        ASSERT_LE(got.count, ask);
        reply.append(buffer, got.count);
    }
    ASSERT_EQ(reply.size(), kStatusReply) << reply;
    EXPECT_EQ(reply.substr(kStatusReply - 4), "on#\r");
    EXPECT_EQ(raw->read(buffer, sizeof buffer, std::chrono::steady_clock::now()).count, 0u);
    raw->close();
    EXPECT_FALSE(raw->is_open());
    EXPECT_EQ(raw->write("A", 1, in_a_second()).count, 0u);
}

TEST_F(SerialLinkWindows, SilentDeviceGivesAnEmptyReplyNotStalled)
{
    const QString silent = port("ZUZO_TEST_COM_SILENT");
    if (silent.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    ASSERT_TRUE(link.open_link(silent));
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply, "");
    EXPECT_TRUE(link.is_open());
}

TEST_F(SerialLinkWindows, AVanishedDeviceClosesTheChannel)
{
    if (under_wine())
        GTEST_SKIP() << "under Wine a COM port whose pseudo-terminal was closed by the simulator keeps "
                        "answering the link's calls without an error (reads bring nothing), so the lost "
                        "device shows as a silent one; Windows fails the calls on a removed port";
    const QString vanishing = port("ZUZO_TEST_COM_VANISHING");
    if (vanishing.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    ASSERT_TRUE(link.open_link(vanishing));
    const std::string first = link.run_io(kStatusFrame).reply;
    ASSERT_EQ(first.size(), kStatusReply) << first;
    EXPECT_EQ(first.substr(kStatusReply - 4), "on#\r");
    // The simulator closes the line once it has replied: the next exchange
    // finds it broken.
    QTest::qWait(100);
    EXPECT_EQ(link.run_io(kStatusFrame).reply, "");
    EXPECT_TRUE(link.link_is_open());
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(link.run_io(kStatusFrame).reply, "");
    link.close_link();
    EXPECT_FALSE(link.link_is_open());
}

} // namespace
