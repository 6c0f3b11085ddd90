// The serial link over a real pseudo-terminal: line settings, exclusive
// opening, the exchange's input/output half, a lost device.

#include "link/core/port_names_posix.h"
#include "link/core/serial_port.h"
#include "link/pty_peer.h"
#include "link/serial/serial_link.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <tuple>
#include <unistd.h>

namespace {

const std::string kStatusFrame = "80000028\r";

class SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(peer.ok()); }
    [[nodiscard]] QString path() const { return QString::fromStdString(peer.slave_path()); }

    PtyPeer peer;
    SerialLink link{std::string()};
};

TEST_F(SerialLinkTest, OpensWithTheFixedLineSettings)
{
    ASSERT_TRUE(link.open_link(path()));
    EXPECT_TRUE(link.link_is_open());
    EXPECT_TRUE(link.is_open());
    termios tio{};
    ASSERT_EQ(::tcgetattr(peer.held_slave(), &tio), 0);
    EXPECT_EQ(::cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(::cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & PARENB, 0u);
    EXPECT_EQ(tio.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), 0u);
}

TEST_F(SerialLinkTest, MissingPortFailsAndLeavesTheLinkClosed)
{
    EXPECT_FALSE(link.open_link(QStringLiteral("/dev/pts/999999")));
    EXPECT_FALSE(link.link_is_open());
    // Open first, then fail: the old port is closed all the same.
    ASSERT_TRUE(link.open_link(path()));
    EXPECT_FALSE(link.open_link(QStringLiteral("COM200")));
    EXPECT_FALSE(link.link_is_open());
    EXPECT_EQ(open_descriptors_on(peer.slave_path()), 1); // the peer's own
    EXPECT_FALSE(link.is_open());
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply, "");
}

TEST_F(SerialLinkTest, OpeningASecondPortClosesTheFirst)
{
    PtyPeer other;
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(link.open_link(path()));
    EXPECT_EQ(open_descriptors_on(peer.slave_path()), 2);
    ASSERT_TRUE(link.open_link(QString::fromStdString(other.slave_path())));
    EXPECT_EQ(open_descriptors_on(peer.slave_path()), 1);
    EXPECT_EQ(open_descriptors_on(other.slave_path()), 2);
    link.close_link();
    EXPECT_FALSE(link.link_is_open());
    EXPECT_EQ(open_descriptors_on(other.slave_path()), 1);
}

TEST_F(SerialLinkTest, APortIsOpenedOnlyOnce)
{
    ASSERT_TRUE(link.open_link(path()));
    SerialLink second{std::string()};
    EXPECT_FALSE(second.open_link(path()));
    EXPECT_FALSE(second.link_is_open());
}

TEST_F(SerialLinkTest, AComNameOfTheVirtualFolderReachesItsDevice)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    ASSERT_EQ(zuzo::check_port_folder(folder), zuzo::FolderStatus::Ok);
    std::filesystem::create_symlink(peer.slave_path(), folder + "/COM7");

    SerialLink named{folder};
    ASSERT_TRUE(named.open_link(QStringLiteral("COM7")));
    // Reached under its other name too, it is the same port: refused.
    EXPECT_FALSE(link.open_link(path()));
    const zuzo::IoResult result = named.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(peer.drain(), kStatusFrame);
}

TEST_F(SerialLinkTest, SilentDeviceGivesAnEmptyReplyNotStalled)
{
    ASSERT_TRUE(link.open_link(path()));
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply, "");
    EXPECT_EQ(peer.drain(), kStatusFrame); // sent byte for byte, nothing added
    EXPECT_TRUE(link.is_open());
}

// The line takes nothing (its other end reads nothing and the queue to it
// is full): the frame has the whole 900 ms to get out and the exchange then
// stalls. It used to be called sent after 300 ms, once what waited in the
// queue had been thrown away to make room for the rest of the frame.
TEST_F(SerialLinkTest, AFrameTheLineCannotTakeStallsAtTheLimit)
{
    ASSERT_TRUE(link.open_link(path()));
    const int flags = ::fcntl(peer.held_slave(), F_GETFL);
    ASSERT_EQ(::fcntl(peer.held_slave(), F_SETFL, flags | O_NONBLOCK), 0);
    // Filled until the queue has stayed full a while (the terminal moves
    // what it holds on in steps of its own).
    const std::string filler(4096, 'x');
    std::size_t queued = 0;
    for (pollfd p{peer.held_slave(), POLLOUT, 0}; ::poll(&p, 1, 100) > 0; p.revents = 0) {
        for (ssize_t n = 0; (n = ::write(peer.held_slave(), filler.data(), filler.size())) > 0;)
            queued += static_cast<std::size_t>(n);
    }
    ASSERT_GT(queued, 0u);
    QElapsedTimer timer;
    timer.start();
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Stalled) << queued << " bytes queued before";
    EXPECT_GE(timer.elapsed(), 900);
    EXPECT_TRUE(link.is_open());
}

struct ReplyCase {
    const char* name;
    std::vector<std::string> pieces; // what the device writes, piece by piece
    std::string reply;               // what the exchange collects
};

// What is collected does not depend on the reply length told beforehand
// (none, the length of a marker-only reply, of a data reply, far too long):
// it only decides how long the link sleeps once a reply has begun.
class ReplyCollection : public SerialLinkTest,
                        public ::testing::WithParamInterface<std::tuple<ReplyCase, std::size_t>> {};

TEST_P(ReplyCollection, CollectsUpToHashCr)
{
    const auto& [c, expected] = GetParam();
    peer.answer([&c](const std::string&) { return c.pieces; });
    ASSERT_TRUE(link.open_link(path()));
    link.expect_reply(expected);
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.status, zuzo::IoStatus::Done);
    EXPECT_EQ(result.reply, c.reply);
    EXPECT_EQ(peer.frames(), std::vector<std::string>{kStatusFrame});
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyCollection,
    ::testing::Combine(
        ::testing::Values(
            ReplyCase{"whole", {"0102030405060708090AF5on#\r"}, "0102030405060708090AF5on#\r"},
            ReplyCase{"split", {"01020304", "05060708090AF5o", "n#\r"}, "0102030405060708090AF5on#\r"},
            ReplyCase{"with_line_feeds", {"on#\r\n"}, "on#\r"},
            ReplyCase{"unfinished", {"0102on#"}, "0102on#"},
            ReplyCase{"hash_cr_apart", {"of#", "\r"}, "of#\r"},
            ReplyCase{"zero_byte_ends_piece", {std::string("on\0xx", 5), "#\r"}, "on#\r"}),
        ::testing::Values(std::size_t{0}, std::size_t{4}, std::size_t{26}, std::size_t{1000})),
    [](const ::testing::TestParamInfo<std::tuple<ReplyCase, std::size_t>>& param) {
        return std::string(std::get<0>(param.param).name) + "_told_" +
               std::to_string(std::get<1>(param.param));
    });

TEST_F(SerialLinkTest, BytesAfterTheReplyAreFlushedByTheNextExchange)
{
    int count = 0;
    peer.answer([&count](const std::string&) -> std::vector<std::string> {
        if (++count == 1)
            return {"on#\rTRAILING", "MORE"};
        return {"of#\r"};
    });
    ASSERT_TRUE(link.open_link(path()));
    EXPECT_EQ(link.run_io(kStatusFrame).reply, "on#\r");
    QTest::qWait(100); // the late piece arrives between the exchanges
    EXPECT_EQ(link.run_io(kStatusFrame).reply, "of#\r");
    EXPECT_EQ(peer.frames().size(), 2u);
}

// The port under the link: raw bytes out and in, a read never takes more
// than it asks for, and a closed port moves nothing.
TEST_F(SerialLinkTest, ThePortMovesRawBytes)
{
    const std::unique_ptr<zuzo::SerialPort> port = zuzo::make_system_port();
    ASSERT_EQ(port->open(peer.slave_path()), zuzo::PortOpenError::None);
    const auto in_a_second = [] { return std::chrono::steady_clock::now() + std::chrono::seconds(1); };
    EXPECT_EQ(port->write("ABC", 3, in_a_second()).count, 3u);
    EXPECT_EQ(peer.drain(), "ABC");
    peer.say("xyz"); // one write: all three are there when the first one is
    char buffer[8] = {};
    zuzo::PortIo got = port->read(buffer, 2, in_a_second());
    EXPECT_EQ(std::string(buffer, got.count), "xy");
    got = port->read(buffer, sizeof buffer, in_a_second());
    EXPECT_EQ(std::string(buffer, got.count), "z");
    got = port->read(buffer, sizeof buffer, std::chrono::steady_clock::now());
    EXPECT_EQ(got.count, 0u);
    EXPECT_FALSE(got.lost);
    port->close();
    EXPECT_FALSE(port->is_open());
    EXPECT_EQ(port->write("A", 1, in_a_second()).count, 0u);
    EXPECT_EQ(port->read(buffer, 1, in_a_second()).count, 0u);
}

TEST_F(SerialLinkTest, AVanishedDeviceClosesTheChannel)
{
    ASSERT_TRUE(link.open_link(path()));
    peer.vanish();
    const zuzo::IoResult result = link.run_io(kStatusFrame);
    EXPECT_EQ(result.reply, "");
    // The link is still held until someone closes it; the channel is not,
    // and the port is let go.
    EXPECT_TRUE(link.link_is_open());
    EXPECT_FALSE(link.is_open());
    EXPECT_EQ(open_descriptors_on(peer.slave_path()), 1); // the peer's own
    EXPECT_EQ(link.run_io(kStatusFrame).reply, "");
    link.close_link();
    EXPECT_FALSE(link.link_is_open());
}

TEST_F(SerialLinkTest, AVanishedDeviceIsNoticedBetweenExchanges)
{
    ASSERT_TRUE(link.open_link(path()));
    peer.vanish();
    for (int i = 0; i < 50 && link.is_open(); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(link.is_open());
    EXPECT_TRUE(link.link_is_open());
    QTest::qWait(10);
    EXPECT_EQ(open_descriptors_on(peer.slave_path()), 1);
    // A new open after the loss works as ever.
    PtyPeer other;
    ASSERT_TRUE(link.open_link(QString::fromStdString(other.slave_path())));
    EXPECT_TRUE(link.is_open());
}

} // namespace
