// The serial link on Windows' communications calls, through COM ports that
// lead to running simulators: ZUZO_TEST_COM_ANSWERING names one that
// answers at line speed, ZUZO_TEST_COM_SILENT one that never answers,
// ZUZO_TEST_COM_VANISHING one whose line closes after its first reply
// (scripts/windows-check.sh maps them in the Wine prefix). Without them the
// tests are skipped.

#include "link/protocol.h"
#include "link/serial_link.h"

#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <cstdio>
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
    EXPECT_EQ(link.input_available(), 0);
    char buffer[4];
    EXPECT_EQ(link.read_bytes(buffer, 4), 0);
    EXPECT_EQ(link.write_bytes("AB", 2), 0);
    // Closed, the port can be opened again.
    EXPECT_TRUE(link.open_link(answering));
}

TEST_F(SerialLinkWindows, RawBytesInAndOut)
{
    const QString answering = port("ZUZO_TEST_COM_ANSWERING");
    if (answering.isEmpty())
        GTEST_SKIP() << "no simulator's COM port given";
    ASSERT_TRUE(link.open_link(answering));
    ASSERT_EQ(link.write_bytes(kStatusFrame.data(), static_cast<int>(kStatusFrame.size())),
              static_cast<int>(kStatusFrame.size()));
    for (int i = 0; i < 100 && link.input_available() < static_cast<int>(kStatusReply); ++i)
        QTest::qWait(10);
    ASSERT_EQ(link.input_available(), static_cast<int>(kStatusReply));
    char buffer[64] = {};
    const int most = static_cast<int>(kStatusReply) - 2;
    EXPECT_EQ(link.read_bytes(buffer, most), most);
    EXPECT_EQ(link.input_available(), 2);
    EXPECT_EQ(link.read_bytes(buffer + most, 8), 2);
    EXPECT_EQ(std::string(buffer + kStatusReply - 4, 4), "on#\r");
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
