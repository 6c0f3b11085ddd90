// The simulated device served on a real pseudo-terminal, driven through the
// protocol's own exchanges.

#include "link/core/exchange.h"
#include "link/core/optics_bytes.h"
#include "link/core/port_names_posix.h"
#include "link/core/status_reply.h"
#include "support/sample_programs.h"
#include "support/sim_fixture.h"
#include "tools/pty_channel.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <unistd.h>

using namespace zuzo;

namespace {

class AnswerNo : public FaultPrompt {
public:
    int asked = 0;
    FaultAnswer ask(const FaultQuestion&) override
    {
        ++asked;
        return FaultAnswer::No;
    }
};

class SimLine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.start("COM7")); }
    SimFixture sim;
    AnswerNo prompt;
};

} // namespace

TEST_F(SimLine, PublishedUnderItsComName)
{
    EXPECT_EQ(sim.folder(), virtual_port_folder());
    EXPECT_EQ(resolve_port("COM7", virtual_port_folder()), sim.terminal_path());
    EXPECT_EQ(com_name_for_path(sim.terminal_path(), sim.folder()), "COM7");
    const std::vector<PortEntry> ports = SystemPortLister().list().value();
    EXPECT_NE(std::find(ports.begin(), ports.end(), PortEntry{sim.link_path(), "COM7"}), ports.end());
}

TEST_F(SimLine, StatusOverTheLine)
{
    sim.device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
    PtyChannel line(sim.link_path());
    ASSERT_TRUE(line.is_open());
    ReplyBytes reply{};
    ASSERT_EQ(read_exchange(line, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
    EXPECT_TRUE(status_identity(reply).supported());
    EXPECT_EQ(status_sensor(reply).illuminance_lux, 1234);
    ASSERT_EQ(read_exchange(line, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(status_clock(reply).value_or(DeviceClock{}).month, 12);
    ASSERT_TRUE(sim.device().wait_for_frames(2, std::chrono::seconds(5)));
    EXPECT_EQ(sim.device().received()[0].frame.text, "80000028");

    // A new session identifies again.
    line.close();
    ASSERT_TRUE(sim.device().wait_for_sessions_ended(1, std::chrono::seconds(5)));
    PtyChannel again(sim.link_path());
    ASSERT_EQ(read_exchange(again, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(status_sensor(reply).illuminance_lux, 1234);
    again.close();

    // Closed and opened again at once, sooner than the line can see the
    // hang-up in between: every open is a new session all the same.
    for (int i = 0; i < 20; ++i) {
        PtyChannel quick(sim.link_path());
        ASSERT_EQ(read_exchange(quick, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
        EXPECT_EQ(status_sensor(reply).illuminance_lux, 1234) << "open " << i;
        ASSERT_EQ(read_exchange(quick, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
        EXPECT_EQ(status_clock(reply).value_or(DeviceClock{}).month, 12) << "open " << i;
    }
}

TEST_F(SimLine, ProgramWriteAndReadBack)
{
    const DeviceProgram p = distinct_optics();
    const OpticsBytes bytes = optics_write_bytes(p).value();
    PtyChannel line(sim.link_path());
    EXPECT_EQ(write_exchange(line, prompt, CMD_WRITE_OPTICS_A, write_a_params(bytes)),
              ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(write_exchange(line, prompt, CMD_WRITE_OPTICS_B, write_b_params(bytes)),
              ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(sim.device().optics(), bytes);
    DeviceProgram back;
    for (std::uint8_t code : {CMD_READ_OPTICS_A, CMD_READ_OPTICS_B, CMD_READ_OPTICS_C}) {
        ReplyBytes reply{};
        ASSERT_EQ(read_exchange(line, prompt, reply, code), ExchangeResult::EXCHANGE_DONE);
        store_optics_reply(back, code, reply);
    }
    EXPECT_EQ(back, p);
}

TEST_F(SimLine, TransportFaultsStillDeliver)
{
    for (const char* fault : {"split=1", "split=4", "trailing", "pace"}) {
        sim.device().set_faults({});
        ASSERT_TRUE(sim.set_fault(fault));
        PtyChannel line(sim.link_path());
        ReplyBytes reply{};
        EXPECT_EQ(read_exchange(line, prompt, reply, CMD_READ_OPTICS_A), ExchangeResult::EXCHANGE_DONE)
            << fault;
        EXPECT_EQ(reply.byte(1), 255) << fault;
        // The next exchange is not confused by what was left on the line.
        EXPECT_EQ(read_exchange(line, prompt, reply, CMD_READ_OPTICS_C), ExchangeResult::EXCHANGE_DONE)
            << fault;
        EXPECT_EQ(reply.byte(1) * 256 + reply.byte(2), 2000) << fault;
    }
}

TEST_F(SimLine, ReplyFaultsOverTheLine)
{
    const struct {
        const char* fault;
        ExchangeResult result;
        int asked;
    } cases[] = {{"silence", ExchangeResult::EXCHANGE_FAILED, 0},
                 {"garbage", ExchangeResult::EXCHANGE_FAILED, 0},
                 {"bad-checksum", ExchangeResult::EXCHANGE_FAILED, 0},
                 {"wrong-length", ExchangeResult::EXCHANGE_FAILED, 0},
                 {"of", ExchangeResult::EXCHANGE_FAILED, 0},
                 {"os", ExchangeResult::EXCHANGE_DONE, 1}, // answered No: skipped
                 {"ol", ExchangeResult::EXCHANGE_DONE, 1}};
    for (const auto& c : cases) {
        sim.device().set_faults({});
        ASSERT_TRUE(sim.set_fault(c.fault));
        PtyChannel line(sim.link_path());
        AnswerNo no;
        ReplyBytes reply{};
        EXPECT_EQ(read_exchange(line, no, reply, CMD_STATUS), c.result) << c.fault;
        EXPECT_EQ(no.asked, c.asked) << c.fault;
    }
}

TEST_F(SimLine, VanishingClosesTheLine)
{
    ASSERT_TRUE(sim.set_fault("vanish=1"));
    PtyChannel line(sim.link_path());
    ReplyBytes reply{};
    EXPECT_EQ(read_exchange(line, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_DONE);
    EXPECT_EQ(read_exchange(line, prompt, reply, CMD_STATUS), ExchangeResult::EXCHANGE_FAILED);
    EXPECT_TRUE(line.peer_gone());
    EXPECT_TRUE(sim.server().vanished());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.folder() + "/COM7")));
    EXPECT_EQ(resolve_port("COM7", sim.folder()), "");
}

TEST_F(SimLine, StopRemovesTheLink)
{
    const std::string link = sim.link_path();
    sim.stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    sim.stop(); // twice is harmless
}

TEST_F(SimLine, LivePortNameIsNotTaken)
{
    sim::SimDevice other;
    sim::PtyServer second(other);
    EXPECT_EQ(second.start(sim.folder(), "COM7"), sim::ServeResult::PortTaken);
    EXPECT_EQ(resolve_port("COM7", sim.folder()), sim.terminal_path());
    ASSERT_EQ(second.start(sim.folder(), "COM8"), sim::ServeResult::Started);
    EXPECT_NE(resolve_port("COM8", sim.folder()), sim.terminal_path());
}

TEST(SimServer, StaleLinkIsReplacedAndUntrustedFolderRefused)
{
    SimFixture sim;
    ASSERT_EQ(ensure_port_folder(sim.folder()), FolderStatus::Ok);
    std::filesystem::create_symlink("/nonexistent/pts", sim.folder() + "/COM1");
    ASSERT_TRUE(sim.start());
    EXPECT_EQ(resolve_port("COM1", sim.folder()), sim.terminal_path());
    sim.stop();

    sim::SimDevice d;
    sim::PtyServer server(d);
    ::chmod(sim.folder().c_str(), 0777);
    EXPECT_EQ(server.start(sim.folder(), "COM2"), sim::ServeResult::FolderRefused);
    ::chmod(sim.folder().c_str(), 0700);
}

namespace {

struct ProgramRun {
    int exit = -1;
    QString out, err;
};

// zuzo-devsim ARGS..., in the fixture's port folder (XDG_RUNTIME_DIR).
ProgramRun devsim(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ZUZO_DEVSIM_PATH), args);
    ProgramRun r;
    if (!p.waitForFinished(10000))
        return r;
    r.exit = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A link that leads to a live terminal.
bool published(const std::string& link)
{
    std::error_code ec;
    return std::filesystem::exists(link, ec);
}

} // namespace

// The command line itself: what scripts start the simulator by.
TEST(SimProgram, CommandLine)
{
    SimFixture sim;
    ASSERT_TRUE(sim.start("COM7")); // holds COM7: another simulator cannot take it
    const struct {
        QStringList args;
        int exit;
        const char* out; // a pattern of the whole standard output
        const char* err; // a pattern standard errors must hold
        bool detached;   // a process id came back: a simulator serves COM8
    } cases[] = {
        // Returns at once, before the port exists, or prints more than the id.
        {{"--port", "COM8", "--detach"}, 0, R"(^\d+\n$)", "^$", true},
        // A port it cannot publish: the reason, exit 1, no id, nothing left.
        {{"--port", "COM7", "--detach"}, 1, "^$", "COM7 не опубликован", false},
        {{"--detach", "--port", "COM0"}, 2, "^$", "COM1 до COM200", false},
        {{"--version"}, 0, "^zuzo-devsim " ZUZO_VERSION "\n$", "^$", false},
    };
    for (const auto& c : cases) {
        const std::string what = c.args.join(' ').toStdString();
        const ProgramRun r = devsim(c.args);
        EXPECT_EQ(r.exit, c.exit) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(QRegularExpression(QString::fromUtf8(c.out)).match(r.out).hasMatch())
            << what << ": " << r.out.toStdString();
        EXPECT_TRUE(QRegularExpression(QString::fromUtf8(c.err)).match(r.err).hasMatch())
            << what << ": " << r.err.toStdString();
        const std::string link = sim.folder() + "/COM8";
        EXPECT_EQ(published(link), c.detached) << what;
        if (!c.detached)
            continue;
        // Ready when it returned; it stops on SIGTERM and takes its port along.
        const pid_t pid = static_cast<pid_t>(r.out.trimmed().toLong());
        ASSERT_GT(pid, 0) << what;
        ASSERT_EQ(::kill(pid, SIGTERM), 0) << what;
        // The terminal goes before the link to it: wait for the link itself.
        const auto linked = [&] { return std::filesystem::exists(std::filesystem::symlink_status(link)); };
        for (int i = 0; i < 500 && linked(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(linked()) << what;
    }
}
