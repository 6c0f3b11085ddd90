// Every device fault against every operation that talks to the device, over
// a real pseudo-terminal: the outcome the design gives, no crash, no wait
// beyond the attempt limit, and the program changed only where it should be.

#include "app/link_controller.h"
#include "link/core/exchange.h"
#include "link/core/optics_bytes.h"
#include "link/link_fixture.h"
#include "link/status_log.h"
#include "program/core/ptm_format.h"
#include "robustness/fault_matrix.h"
#include "robustness/partial_read.h"
#include "robustness/qt_print.h"
#include "support/sample_programs.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/core/command_files.h"
#include "tools/zuzo/json/json.h"
#include "ui/numeric_edit.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include <chrono>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using namespace robustness;

namespace {

// The longest one exchange may take (frame out, reply in), and slack for
// the rest of an operation; both generous.
constexpr auto kExchangeLimit = std::chrono::milliseconds(900);
constexpr auto kSlack = std::chrono::milliseconds(2000);

struct Box {
    QString title;
    QString text; // the text must start with this
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Box& b)
{
    return os << '{' << b.title.toStdString() << " | " << b.text.toStdString() << '}';
}

bool is_read_kind(Op op)
{
    return op != Op::ProgramWrite && op != Op::CliWrite;
}

// "os" or "ol" when the cell's fault is an EEPROM marker, aimed or not.
std::string eeprom_marker(const Cell& cell)
{
    const std::string name = cell.fault.substr(0, cell.fault.find('@'));
    return name == "os" || name == "ol" ? name : std::string();
}

// The EEPROM fault box an "os" or "ol" reply raises (closed, so it breaks).
std::vector<Box> eeprom_boxes(const Cell& cell)
{
    const std::string marker = eeprom_marker(cell);
    if (marker.empty())
        return {};
    const QString which = marker == "os" ? QStringLiteral("Повреждена EEPROM микроконтроллера\n")
                                         : QStringLiteral("Повреждена EEPROM внешняя\n");
    const QString first = is_read_kind(cell.op) ? QStringLiteral("Повтор операции, нажмите “ДА”\n")
                                                : QStringLiteral("Для повтора операции нажмите “ДА”\n");
    return {{QStringLiteral("Внимание!"), which + first}};
}

class FaultMatrix : public LinkFixture, public ::testing::WithParamInterface<Cell> {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        if (HasFatalFailure())
            return;
        device().set_clock_bytes({9, 5, 14, 1, 7, 12, 26});
        files = fs::path(sim.folder()).parent_path() / "files";
        fs::create_directories(files);
    }

    // Connects, lets one tick enable the transfer buttons, clears the log.
    void connected()
    {
        ASSERT_TRUE(connect_device());
        status_tick();
        ASSERT_TRUE(ui().ReadProgramButton->isEnabled());
        app().status_log().log_status(QString(), LOG_CLEAR);
        boxes().clear();
    }

    // The fault goes on right before the operation; frames are counted from here.
    void arm(const Cell& cell)
    {
        device().clear_received();
        ASSERT_TRUE(sim.set_fault(cell.fault));
        started = std::chrono::steady_clock::now();
    }

    void finished()
    {
        took = std::chrono::steady_clock::now() - started;
        frames = static_cast<int>(device().frame_count());
    }

    std::vector<Box> shown_boxes()
    {
        std::vector<Box> boxes_shown;
        for (const ShownBox& b : boxes().shown)
            boxes_shown.push_back({b.title, b.text});
        return boxes_shown;
    }

    // Boxes shown, each starting with the text expected.
    void expect_boxes(const std::vector<Box>& expected)
    {
        const std::vector<Box> got = shown_boxes();
        ASSERT_EQ(got.size(), expected.size()) << ::testing::PrintToString(got);
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].title, expected[i].title);
            EXPECT_TRUE(got[i].text.startsWith(expected[i].text)) << got[i] << " vs " << expected[i];
        }
    }

    void run_connect(const Cell& cell);
    void run_supervision(const Cell& cell);
    void run_read(const Cell& cell);
    void run_write(const Cell& cell);
    void run_cli(const Cell& cell);
    void expect_cli_exit(const Cell& cell, int code);

    std::string save(const std::string& name, const zuzo::DeviceProgram& p)
    {
        const std::string path = (files / name).string();
        EXPECT_TRUE(zuzo::cli::write_output(path, zuzo::write_ptm(p)).done());
        return path;
    }
    static std::vector<std::uint8_t> bytes_of(const std::string& path)
    {
        std::vector<std::uint8_t> b;
        EXPECT_TRUE(zuzo::cli::read_input(path, b, zuzo::cli::InputKind::Program).done());
        return b;
    }
    // The names in the files folder: no temporary file may be left there.
    std::vector<std::string> names_in_files()
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& e : fs::directory_iterator(files))
            names.push_back(e.path().filename().string());
        return names;
    }

    fs::path files;
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::duration took{};
    int frames = 0;
    std::ostringstream out, err;
};

const QString kPortLine = QStringLiteral("14:05:09 ->COM1 Порт открыт");

void FaultMatrix::run_connect(const Cell& cell)
{
    const zuzo::DeviceProgram before = ctx().program;
    choose_port(QStringLiteral("COM1"));
    arm(cell);
    click(ui().ConnectButton);
    finished();
    QStringList expected_log{kPortLine};
    switch (cell.outcome) {
    case Outcome::Done:
        expected_log << QStringLiteral("Устройство готово") << QStringLiteral("Оптический датчик вкл.")
                     << QStringLiteral("Освещенность 1234 Lux");
        break;
    case Outcome::GivesUp:
    case Outcome::Breaks:
        expected_log << QStringLiteral("Устройство не отвечает") << QStringLiteral("Связь разорвана");
        break;
    case Outcome::Unsupported:
        expected_log << QStringLiteral("Данное уст. не поддерживается") << QStringLiteral("Связь разорвана");
        break;
    }
    EXPECT_EQ(log_lines(), expected_log);
    EXPECT_EQ(app().link().link_is_open(), cell.outcome == Outcome::Done);
    expect_boxes(eeprom_boxes(cell));
    EXPECT_EQ(ctx().program, before);
}

void FaultMatrix::run_supervision(const Cell& cell)
{
    connected();
    const zuzo::DeviceProgram before = ctx().program;
    ui().DeviceDateEdit->clear();
    arm(cell);
    app().link().supervision();
    app().link().supervision();
    finished();
    std::vector<Box> expected = eeprom_boxes(cell);
    switch (cell.outcome) {
    case Outcome::Done:
        EXPECT_TRUE(log_lines().isEmpty()) << log_lines().join('|').toStdString();
        EXPECT_EQ(ui().DeviceDateEdit->text(), QStringLiteral("Пн. 07.12.2026  14:05:09"));
        EXPECT_TRUE(app().link().link_is_open());
        break;
    case Outcome::GivesUp:
        // Each silent tick asks; the question is closed (No), so the link stays.
        for (int tick = 0; tick < cell.frames / zuzo::kAttemptLimit; ++tick) {
            expected.push_back({QStringLiteral("Ошибка"), QStringLiteral("Устройство не отвечает.")});
            expected.push_back(
                {QStringLiteral("Внимание!"), QStringLiteral("Устройство не отвечает\nРазорвать связь?")});
        }
        EXPECT_TRUE(log_lines().isEmpty());
        EXPECT_TRUE(app().link().link_is_open());
        break;
    case Outcome::Breaks:
    case Outcome::Unsupported:
        expected.push_back({QStringLiteral("Ошибка"), QStringLiteral("Самопроизвольно закрылся порт")});
        EXPECT_EQ(log_lines(), QStringList{QStringLiteral("14:05:09 -> Авария, закрыт  COM1")});
        EXPECT_FALSE(app().link().link_is_open());
        break;
    }
    expect_boxes(expected);
    EXPECT_EQ(ctx().program, before);
}

void FaultMatrix::run_read(const Cell& cell)
{
    connected();
    const zuzo::DeviceProgram before = ctx().program;
    const zuzo::DeviceProgram source = sound_program(before);
    device().set_optics(zuzo::optics_write_bytes(source).value());
    arm(cell);
    click(ui().ReadProgramButton);
    finished();
    const QString end = cell.outcome == Outcome::Done ? QStringLiteral(" Программа считана")
                                                      : QStringLiteral(" Команда не выполнена");
    EXPECT_EQ(log_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт чтения программы"),
                                        QStringLiteral("14:05:09 ->") + end}));
    expect_boxes(eeprom_boxes(cell));
    EXPECT_EQ(ctx().program, after_partial_read(before, source, cell.commands_done));
    // A transfer never changes the link; window closed, main window usable.
    EXPECT_TRUE(app().link().link_is_open());
    EXPECT_TRUE(ui().MainWindow->isEnabled());
    EXPECT_EQ(ctx().busy, 0);
}

void FaultMatrix::run_write(const Cell& cell)
{
    connected();
    const zuzo::DeviceProgram before = ctx().program;
    const zuzo::OpticsBytes old_memory = zuzo::optics_write_bytes(sound_program(before)).value();
    device().set_optics(old_memory);
    arm(cell);
    click(ui().WriteProgramButton);
    finished();
    const QString end = cell.outcome == Outcome::Done ? QStringLiteral(" Программа записана")
                                                      : QStringLiteral(" Команда не выполнена");
    EXPECT_EQ(log_lines(), (QStringList{QStringLiteral("14:05:09 -> Старт запись программы"),
                                        QStringLiteral("14:05:09 ->") + end}));
    expect_boxes(eeprom_boxes(cell));
    EXPECT_EQ(ctx().program, before);
    const zuzo::OpticsBytes sent = zuzo::optics_write_bytes(before).value();
    const zuzo::OpticsBytes memory = device().optics();
    if (cell.commands_done >= 1) {
        EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + 12, memory.begin()));
    }
    if (cell.commands_done >= 2) {
        EXPECT_EQ(memory, sent);
    }
    if (cell.commands_done < 2 && eeprom_marker(cell).empty()) { // those store, then complain
        EXPECT_TRUE(std::equal(old_memory.begin() + 12, old_memory.end(), memory.begin() + 12));
    }
    EXPECT_TRUE(app().link().link_is_open());
    EXPECT_TRUE(ui().MainWindow->isEnabled());
    EXPECT_EQ(ctx().busy, 0);
}

void FaultMatrix::expect_cli_exit(const Cell& cell, int code)
{
    switch (cell.outcome) {
    case Outcome::Done:
        EXPECT_EQ(code, 0) << err.str();
        break;
    case Outcome::GivesUp:
        EXPECT_EQ(code, 1);
        EXPECT_NE(err.str().find("(попыток: 8): устройство не отвечает"), std::string::npos) << err.str();
        break;
    case Outcome::Breaks:
        EXPECT_EQ(code, 1);
        // An EEPROM fault is told as one, with the answer that broke the link.
        EXPECT_NE(err.str().find(cell.fault.rfind("os", 0) == 0 || cell.fault.rfind("ol", 0) == 0
                                     ? "устройство сообщает: «Повреждена EEPROM"
                                     : "связь потеряна или прервана"),
                  std::string::npos)
            << err.str();
        break;
    case Outcome::Unsupported:
        EXPECT_EQ(code, 1);
        EXPECT_NE(err.str().find("не поддерживается"), std::string::npos) << err.str();
        break;
    }
}

void FaultMatrix::run_cli(const Cell& cell)
{
    zuzo::DeviceProgram base;
    const zuzo::DeviceProgram source = sound_program(base);
    const zuzo::OpticsBytes old_memory = zuzo::optics_write_bytes(base).value();
    device().set_optics(cell.op == Op::CliWrite ? old_memory : zuzo::optics_write_bytes(source).value());
    const std::string file = save(cell.op == Op::CliWrite ? "to_device.ptm" : "from_device.ptm",
                                  cell.op == Op::CliWrite ? source : base);
    const std::vector<std::uint8_t> old_bytes = bytes_of(file);
    std::vector<std::string> args{"status", "--port", "COM1"};
    if (cell.op == Op::CliRead)
        args = {"read", "--port", "COM1", "--into", file};
    if (cell.op == Op::CliWrite)
        args = {"write", "--port", "COM1", file};
    arm(cell);
    const int code = zuzo::cli::run_device_command(args, out, err);
    finished();
    expect_cli_exit(cell, code);
    if (cell.op == Op::CliStatus && cell.outcome == Outcome::Done) {
        const zuzo::json::ParseResult r = zuzo::json::parse(out.str());
        ASSERT_EQ(r.status, zuzo::json::ParseStatus::Ok) << out.str();
        EXPECT_EQ(r.value.at("device_type"), 25);
        EXPECT_EQ(r.value.at("clock"), "2026-12-07 14:05:09");
    }
    if (cell.op == Op::CliRead) {
        // The file is replaced only by a complete read.
        if (cell.outcome == Outcome::Done) {
            EXPECT_EQ(bytes_of(file), zuzo::write_ptm(source));
        } else {
            EXPECT_EQ(bytes_of(file), old_bytes);
        }
    }
    if (cell.op == Op::CliWrite) {
        EXPECT_EQ(bytes_of(file), old_bytes);
        const zuzo::OpticsBytes sent = zuzo::optics_write_bytes(source).value();
        const zuzo::OpticsBytes memory = device().optics();
        if (cell.commands_done >= 2) {
            EXPECT_EQ(memory, sent);
        } else if (eeprom_marker(cell).empty()) {
            EXPECT_TRUE(std::equal(old_memory.begin() + 12, old_memory.end(), memory.begin() + 12));
        }
        // What the line says the device holds is what the device holds.
        const zuzo::cli::Holding& said = cell.holding;
        if (said.read_back || said.holds == zuzo::cli::DeviceHolds::Unknown)
            EXPECT_TRUE(err.str().ends_with("; " + zuzo::cli::holds_words(said) + "\n")) << err.str();
        else
            EXPECT_EQ(err.str().find("прочитано обратно"), std::string::npos) << err.str();
        zuzo::OpticsBytes part_one = old_memory;
        std::copy(sent.begin(), sent.begin() + 12, part_one.begin());
        switch (said.holds) {
        case zuzo::cli::DeviceHolds::Untouched:
            EXPECT_EQ(memory, cell.outcome == Outcome::Done ? sent : old_memory);
            break;
        case zuzo::cli::DeviceHolds::PartWritten:
            EXPECT_EQ(memory, part_one);
            break;
        case zuzo::cli::DeviceHolds::Written:
            EXPECT_EQ(memory, sent);
            break;
        default:
            break;
        }
    }
    EXPECT_EQ(names_in_files().size(), 1u) << ::testing::PrintToString(names_in_files());
}

TEST_P(FaultMatrix, OutcomeAsDesigned)
{
    const Cell& cell = GetParam();
    SCOPED_TRACE(cell.fault + " x " + op_name(cell.op) + " -> " + outcome_name(cell.outcome));
    switch (cell.op) {
    case Op::Connect:
        run_connect(cell);
        break;
    case Op::Supervision:
        run_supervision(cell);
        break;
    case Op::ProgramRead:
        run_read(cell);
        break;
    case Op::ProgramWrite:
        run_write(cell);
        break;
    case Op::CliStatus:
    case Op::CliRead:
    case Op::CliWrite:
        run_cli(cell);
        break;
    }
    EXPECT_EQ(frames, cell.frames) << "frames the device received";
    // Each exchange ends within its limit, and the attempt rule stops at 8.
    EXPECT_LE(took, kExchangeLimit * cell.frames + kSlack);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, FaultMatrix, ::testing::ValuesIn(fault_cells()),
                         [](const ::testing::TestParamInfo<Cell>& case_info) {
                             return cell_name(case_info.param);
                         });

} // namespace
