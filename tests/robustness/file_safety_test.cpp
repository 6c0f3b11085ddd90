// Program files are never lost: a save that cannot be completed (read-only
// folder, full file system, the final rename refused, a parent that is a
// file) reports the failure, leaves the old file byte for byte as it was and
// leaves no temporary file behind. The same for the companion program's
// "ptm make" and "device read --into". Each says why, from the system's own
// answer: the companion in one line, the tool in a line under its message.
// The companion's standard output is checked like a file, and a name that
// leads to a device, a pipe or a folder is never written over.

#include "link/core/optics_bytes.h"
#include "link/link_fixture.h"
#include "program/core/ptm_format.h"
#include "robustness/qt_print.h"
#include "robustness/scratch_mount.h"
#include "support/sample_programs.h"
#include "tools/zuzo/commands/device_commands.h"
#include "tools/zuzo/commands/ptm_commands.h"
#include "tools/zuzo/core/exit_codes.h"
#include "tools/zuzo/json/json.h"
#include "tools/zuzo/json/json_program.h"

#include <QAction>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum class Place { ReadOnlyFolder, FullDisk, RenameRefused, ParentIsAFile };
enum class Writer { ToolSave, PtmMake, DeviceReadInto };

struct FileCase {
    Place place;
    Writer writer;
};

const char* place_name(Place p)
{
    switch (p) {
    case Place::ReadOnlyFolder:
        return "ReadOnlyFolder";
    case Place::FullDisk:
        return "FullDisk";
    case Place::RenameRefused:
        return "RenameRefused";
    case Place::ParentIsAFile:
        return "ParentIsAFile";
    }
    return "Unknown";
}

const char* writer_name(Writer w)
{
    switch (w) {
    case Writer::ToolSave:
        return "ToolSave";
    case Writer::PtmMake:
        return "PtmMake";
    case Writer::DeviceReadInto:
        return "DeviceReadInto";
    }
    return "Unknown";
}

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << place_name(c.place) << " x " << writer_name(c.writer);
}

std::vector<FileCase> all_cases()
{
    std::vector<FileCase> cases;
    for (Place p : {Place::ReadOnlyFolder, Place::FullDisk, Place::RenameRefused, Place::ParentIsAFile})
        for (Writer w : {Writer::ToolSave, Writer::PtmMake, Writer::DeviceReadInto})
            cases.push_back({p, w});
    return cases;
}

constexpr std::size_t kScratchSize = 64 * 1024;

std::string bytes_of(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::set<std::string> names_in(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

class FileSafety : public LinkFixture, public ::testing::WithParamInterface<FileCase> {
protected:
    void SetUp() override
    {
        LinkFixture::SetUp();
        if (HasFatalFailure())
            return;
        outside = fs::path(sim.folder()).parent_path() / "outside";
        fs::create_directories(outside);
        // The old file holds optics that differ from everything written below.
        const std::vector<std::uint8_t> old = zuzo::write_ptm(sound_program());
        old_bytes.assign(old.begin(), old.end());
    }

    // Makes the place fail as the case says; the old file is in it. Skips
    // when this machine cannot mount.
    void prepare(Place place)
    {
        if (place == Place::ParentIsAFile) {
            folder = outside / "parent";
            fs::create_directories(folder);
            old_file = folder / "plain.ptm";
            put(old_file, old_bytes);
            target = old_file / "program.ptm"; // its parent is a regular file
            listing = names_in(folder);
            return;
        }
        if (!scratch.mount_tmpfs(kScratchSize))
            GTEST_SKIP() << "cannot mount a small file system here (" << scratch.why_not() << ")";
        folder = scratch.folder();
        old_file = folder / "program.ptm";
        target = old_file;
        put(old_file, old_bytes);
        ASSERT_EQ(bytes_of(old_file), old_bytes);
        bool made = true;
        if (place == Place::ReadOnlyFolder)
            made = scratch.make_read_only();
        if (place == Place::FullDisk)
            made = scratch.fill_up("filler");
        if (place == Place::RenameRefused)
            made = scratch.pin_file(old_file.string());
        ASSERT_TRUE(made) << scratch.why_not();
        listing = names_in(folder);
    }

    void save_in_tool(Place place)
    {
        files().save_names = {QString::fromStdString(target.string())};
        boxes().answers = {MsgAnswer::Yes}; // replace the existing file
        ui().menu_actions[MenuId::Save]->trigger();
        std::vector<QString> titles;
        for (const ShownBox& b : boxes().shown)
            titles.push_back(b.title);
        const std::vector<QString> expected_titles =
            place == Place::ParentIsAFile
                ? std::vector<QString>{QStringLiteral("Ошибка")}
                : std::vector<QString>{QStringLiteral("Подтвердить сохранение"), QStringLiteral("Ошибка")};
        ASSERT_EQ(titles, expected_titles);
        const ShownBox& failure = boxes().shown.back();
        EXPECT_EQ(failure.text, QStringLiteral("При записи произошла ошибка.\nФайл сохранить не удалось.\n") +
                                    QStringLiteral("Причина: ") + QString::fromStdString(cause(place)));
        EXPECT_EQ(failure.buttons, MsgButtons::Ok);
        EXPECT_EQ(failure.icon, MsgIcon::Exclamation);
    }

    // Why the place fails, as the tool and the companion both tell it.
    std::string cause(Place place) const
    {
        switch (place) {
        case Place::ReadOnlyFolder:
            return "диск доступен только для чтения";
        case Place::FullDisk:
            return "нет места на диске";
        case Place::RenameRefused:
            return "файл занят другой программой или системой";
        case Place::ParentIsAFile:
            break;
        }
        return "«" + old_file.string() + "» не папка";
    }

    // The one line the companion prints for the place: the path and why.
    std::string companion_says(Place place, bool reading_first) const
    {
        const bool unread = reading_first && place == Place::ParentIsAFile; // read --into reads it first
        return target.string() + (unread ? ": файл не прочитан: " : ": файл не записан: ") + cause(place) +
               "\n";
    }

    void make_with_companion(Place place)
    {
        const fs::path json = outside / "program.json";
        put(json, zuzo::json::write(zuzo::program_to_json(zuzo::DeviceProgram{})));
        std::ostringstream out, err;
        EXPECT_EQ(zuzo::cli::run_ptm_command({"make", json.string(), target.string()}, out, err),
                  zuzo::cli::EXIT_ERROR);
        EXPECT_EQ(err.str(), companion_says(place, false));
    }

    void read_into_with_companion(Place place)
    {
        device().set_optics(zuzo::optics_write_bytes(zuzo::DeviceProgram{}).value());
        std::ostringstream out, err;
        EXPECT_EQ(
            zuzo::cli::run_device_command({"read", "--port", "COM1", "--into", target.string()}, out, err),
            zuzo::cli::EXIT_ERROR);
        EXPECT_EQ(err.str(), companion_says(place, true));
    }

    ScratchMount scratch;
    fs::path outside;
    fs::path folder;
    fs::path old_file;
    fs::path target;
    std::string old_bytes;
    std::set<std::string> listing;
};

TEST_P(FileSafety, OldFileStaysAndNothingIsLeftBehind)
{
    const FileCase c = GetParam();
    prepare(c.place);
    if (IsSkipped() || HasFatalFailure())
        return;
    switch (c.writer) {
    case Writer::ToolSave:
        save_in_tool(c.place);
        break;
    case Writer::PtmMake:
        make_with_companion(c.place);
        break;
    case Writer::DeviceReadInto:
        read_into_with_companion(c.place);
        break;
    }
    EXPECT_EQ(bytes_of(old_file), old_bytes);
    EXPECT_EQ(names_in(folder), listing); // no temporary file left
}

INSTANTIATE_TEST_SUITE_P(Places, FileSafety, ::testing::ValuesIn(all_cases()),
                         [](const ::testing::TestParamInfo<FileCase>& case_info) {
                             return std::string(place_name(case_info.param.place)) + "_" +
                                    writer_name(case_info.param.writer);
                         });

// Files a user may not touch, told as such in one line (they used to read
// "При чтении произошла ошибка." / "Файл открыть не удалось." on two lines
// whatever the cause). The companion runs as an unprivileged user, which
// only root can arrange here.
TEST(FileRights, CompanionSaysWhy)
{
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run the companion as another user";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const fs::path folder = dir.path().toStdString();
    fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    const fs::path json = folder / "program.json";
    put(json, zuzo::json::write(zuzo::program_to_json(zuzo::DeviceProgram{})));
    const fs::path secret = folder / "secret.ptm";
    put(secret, "wersia 3.01 unic\r\n");
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    const fs::path open_folder = folder / "open";
    fs::create_directories(open_folder);
    fs::permissions(open_folder, fs::perms::all);
    const fs::path kept = open_folder / "kept.ptm";
    put(kept, "wersia 3.01 unic\r\n"); // a program file, which make may replace
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const struct {
        const char* fault; // what the row catches
        QStringList words;
        std::string says;
    } rows[] = {
        {"a file without read rights told as missing",
         {"ptm", "dump", QString::fromStdString(secret.string())},
         secret.string() + ": файл не прочитан: нет прав на чтение"},
        {"a folder without write rights told as a failed write",
         {"ptm", "make", QString::fromStdString(json.string()),
          QString::fromStdString((folder / "new.ptm").string())},
         (folder / "new.ptm").string() + ": файл не записан: нет прав на запись в папку «" + folder.string() +
             "»"},
        {"a write-protected file told as a failed write",
         {"ptm", "make", QString::fromStdString(json.string()), QString::fromStdString(kept.string())},
         kept.string() + ": файл не записан: файл защищен от записи"},
    };
    for (const auto& row : rows) {
        QProcess companion;
        companion.start(QStringLiteral("setpriv"),
                        QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                    QStringLiteral("--clear-groups"), QStringLiteral(ZUZO_CLI_PATH)} +
                            row.words);
        ASSERT_TRUE(companion.waitForFinished(30000));
        EXPECT_EQ(companion.exitCode(), 2) << row.fault;
        EXPECT_EQ(companion.readAllStandardError().toStdString(), row.says + "\n") << row.fault;
    }
    EXPECT_EQ(bytes_of(kept), "wersia 3.01 unic\r\n");
    EXPECT_FALSE(fs::exists(folder / "new.ptm"));
}

// The companion as a technician's script runs it, its standard output
// wherever the row sends it.
class CompanionOutputs : public LinkFixture {
protected:
    struct Ran {
        int exit = -1;
        std::string err;
    };

    Ran companion(const QStringList& words, const QString& out_file = {},
                  std::function<void()> in_child = nullptr)
    {
        QProcess run;
        if (!out_file.isEmpty())
            run.setStandardOutputFile(out_file);
        if (in_child)
            run.setChildProcessModifier(in_child);
        run.start(QStringLiteral(ZUZO_CLI_PATH), words);
        EXPECT_TRUE(run.waitForFinished(30000)) << words.join(' ').toStdString();
        return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
                run.readAllStandardError().toStdString()};
    }

    static QString q(const fs::path& path) { return QString::fromStdString(path.string()); }

    void SetUp() override
    {
        LinkFixture::SetUp();
        folder = fs::path(dir.path().toStdString());
        const std::vector<std::uint8_t> program = zuzo::write_ptm(sound_program());
        put(site, std::string(program.begin(), program.end()));
        put(json, zuzo::json::write(zuzo::program_to_json(sound_program())));
    }

    QTemporaryDir dir;
    fs::path folder;
    fs::path site = fs::path(dir.path().toStdString()) / "site.ptm";
    fs::path json = fs::path(dir.path().toStdString()) / "site.json";
};

// Nothing is called done that did not reach standard output; a reader that
// took what it wanted and closed the pipe is no failure.
TEST_F(CompanionOutputs, StandardOutputThatFailsIsTold)
{
    const auto file_limit = [] {
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
    };
    const auto reader_gone = [] {
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
        }
    };
    const QString limited = q(folder / "out.json");
    const std::string full = "zuzo: стандартный вывод не записан: нет места на диске\n";
    const struct {
        const char* fault; // what the row catches
        QStringList words;
        QString out;
        std::function<void()> in_child;
        int exit;
        std::string err;
    } rows[] = {
        {"dump on a full disk exits 0", {"ptm", "dump", q(site)}, "/dev/full", nullptr, 2, full},
        {"a table on a full disk exits 0", {"ptm", "plan", "export", q(site)}, "/dev/full", nullptr, 2, full},
        {"read --json on a full disk exits 0",
         {"device", "read", "--port", "COM1", "--json"},
         "/dev/full",
         nullptr,
         2,
         full},
        {"the file size limit ends the program by a signal",
         {"ptm", "dump", q(site)},
         limited,
         file_limit,
         2,
         "zuzo: стандартный вывод не записан: превышен предельный размер файла\n"},
        {"a closed pipe ends the program by a signal or fails it",
         {"ptm", "dump", q(site)},
         {},
         reader_gone,
         0,
         ""},
    };
    for (const auto& row : rows) {
        const Ran ran = companion(row.words, row.out, row.in_child);
        EXPECT_EQ(ran.exit, row.exit) << row.fault;
        EXPECT_EQ(ran.err, row.err) << row.fault;
    }
}

// A device, a named pipe or a folder is refused as an output, in one line,
// before anything is read from it or sent to the device; it stays as it was.
TEST_F(CompanionOutputs, OnlyRegularFilesAreWrittenOver)
{
    const fs::path pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const fs::path null = folder / "null"; // a device of its own, not the machine's /dev/null
    const bool device_made = ::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const std::string device_file = ": файл не записан: это файл устройства, а не обычный файл";
    const std::string named_pipe = ": файл не записан: это именованный канал, а не обычный файл";
    const std::string untouched = "; устройство не затронуто";
    const struct {
        const char* fault; // what was lost before
        QStringList words;
        std::string err;
        bool needs_device = false;
    } rows[] = {
        {"a table written over a pipe",
         {"ptm", "plan", "export", q(site), q(pipe)},
         pipe.string() + named_pipe},
        {"a program written over a device",
         {"ptm", "make", q(json), q(null)},
         null.string() + device_file,
         true},
        {"a folder taken for the table",
         {"ptm", "plan", "export", q(site), q(folder)},
         folder.string() + ": файл не записан: это папка, а не файл"},
        {"a pipe read (and waited on) before the device was asked",
         {"device", "read", "--port", "COM1", "--into", q(pipe)},
         pipe.string() + named_pipe + untouched},
        {"a device opened as the journal",
         {"device", "write", "--port", "COM1", q(site), "--journal", q(null)},
         null.string() + device_file + untouched,
         true},
    };
    for (const auto& row : rows) {
        if (row.needs_device && !device_made)
            continue; // making a device takes root
        device().clear_received();
        const Ran ran = companion(row.words);
        EXPECT_EQ(ran.exit, 2) << row.fault;
        EXPECT_EQ(ran.err, row.err + "\n") << row.fault;
        EXPECT_EQ(device().frame_count(), 0u) << row.fault;
        EXPECT_EQ(fs::status(pipe).type(), fs::file_type::fifo) << row.fault;
        if (device_made) {
            EXPECT_EQ(fs::status(null).type(), fs::file_type::character) << row.fault;
        }
    }
}

// Every input is read within a bound fitting its kind, and only from a
// regular file: a device, a pipe nobody writes, a file far too long or a
// program file that ends before its optics is refused in one line (exit
// 2), before the device is asked anything; so is an empty name.
TEST_F(CompanionOutputs, InputsAreBoundedByTheirKind)
{
    const fs::path pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::vector<std::uint8_t> written = zuzo::write_ptm(sound_program());
    const std::string program(written.begin(), written.end());
    const fs::path cut = folder / "cut.ptm"; // its yellow lamps would read as 0 %
    put(cut, program.substr(0, program.size() - 12));
    const fs::path big = folder / "big.ptm";
    put(big, program + std::string(std::size_t{64} * 1024, '\0'));
    const fs::path big_json = folder / "big.json";
    put(big_json, std::string(std::size_t{5} * 1024 * 1024, ' ') + "{}");
    const std::string device_file = ": файл не прочитан: это файл устройства, а не обычный файл";
    const std::string cut_short =
        cut.string() +
        ": файл программы обрывается раньше конца настроек оптики (451 байт): не хватает 12 из "
        "80 байт настроек оптики";
    const struct {
        const char* fault; // what was lost before
        QStringList words;
        std::string err;
    } rows[] = {
        {"an endless device read until memory ran out",
         {"ptm", "dump", "/dev/zero"},
         "/dev/zero" + device_file},
        {"a table from an endless device",
         {"ptm", "plan", "import", "/dev/urandom", q(site)},
         "/dev/urandom" + device_file},
        {"a pipe nobody writes waited on for ever",
         {"ptm", "check", q(pipe)},
         pipe.string() + ": файл не прочитан: это именованный канал, а не обычный файл"},
        {"a program file far too long read whole",
         {"device", "write", "--port", "COM1", q(big)},
         big.string() + ": файл не прочитан: файл слишком большой (больше 64 КиБ)"},
        {"a JSON far too long read whole",
         {"ptm", "make", q(big_json), q(folder / "new.ptm")},
         big_json.string() + ": файл не прочитан: файл слишком большой (больше 4 МиБ)"},
        {"a cut program passed the check", {"ptm", "check", q(cut)}, cut_short},
        {"a cut program written with zeros", {"device", "write", "--port", "COM1", q(cut)}, cut_short},
        {"a cut program verified with zeros", {"device", "verify", "--port", "COM1", q(cut)}, cut_short},
        {"a cut program compared with zeros", {"ptm", "diff", q(cut), q(site)}, cut_short},
        {"an empty name told as a missing file",
         {"ptm", "dump", ""},
         "zuzo ptm dump: пустое слово 3 (пустое имя файла или значение параметра); см. zuzo ptm dump --help"},
    };
    for (const auto& row : rows) {
        device().clear_received();
        const Ran ran = companion(row.words);
        EXPECT_EQ(ran.exit, 2) << row.fault;
        EXPECT_EQ(ran.err, row.err + "\n") << row.fault;
        EXPECT_EQ(device().frame_count(), 0u) << row.fault;
    }
    EXPECT_FALSE(fs::exists(folder / "new.ptm"));
}

} // namespace
