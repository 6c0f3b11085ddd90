// Runs that start together on a new journal: its first rows are written
// once, and every run's row follows them (two runs used to write the header
// twice, the second time with a byte order mark in the middle of the file).

#include "tools/zuzo/commands/device_report.h"
#include "tools/zuzo/core/journal_file.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <barrier>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string content_of(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t count_of(const std::string& text, const std::string& piece)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++n;
    return n;
}

// Each of runs opens the journal at path at once and adds one row.
void threads_together(const std::filesystem::path& path, int runs)
{
    std::barrier start(runs);
    std::vector<std::thread> threads;
    for (int k = 0; k < runs; ++k)
        threads.emplace_back([&, k] {
            zuzo::cli::JournalFile journal;
            start.arrive_and_wait();
            if (journal.open(path, zuzo::cli::journal_first_rows()).done())
                (void)journal.append("row " + std::to_string(k) + "\r\n");
        });
    for (std::thread& t : threads)
        t.join();
}

// The same with the companion program: runs that the missing port ends at
// once, each with its row.
void processes_together(const std::filesystem::path& path, int runs)
{
    std::vector<std::unique_ptr<QProcess>> all;
    for (int k = 0; k < runs; ++k) {
        all.push_back(std::make_unique<QProcess>());
        all.back()->start(QStringLiteral(ZUZO_CLI_PATH),
                          {QStringLiteral("device"), QStringLiteral("read"), QStringLiteral("--port"),
                           QStringLiteral("/dev/zuzo-no-such-port"), QStringLiteral("--journal"),
                           QString::fromStdString(path.string())});
    }
    for (auto& p : all)
        p->waitForFinished(30000);
}

TEST(JournalRace, FirstRowsOnceWhateverStartsTogether)
{
    const struct {
        const char* how;
        void (*together)(const std::filesystem::path&, int);
        int rounds;
        int runs;
    } rows[] = {
        {"threads released by one barrier (the tightest start)", &threads_together, 200, 8},
        {"companion processes started one after the other", &processes_together, 15, 8},
    };
    const std::string header = zuzo::cli::journal_first_rows();
    for (const auto& row : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        int bad = 0;
        for (int round = 0; round < row.rounds; ++round) {
            std::string name = std::to_string(round);
            name += ".csv";
            const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / name;
            row.together(path, row.runs);
            const std::string text = content_of(path);
            const bool good = text.rfind(header, 0) == 0 && count_of(text, "\xEF\xBB\xBF") == 1 &&
                              count_of(text, "\r\n") == static_cast<std::size_t>(row.runs) + 1;
            if (!good && ++bad == 1)
                ADD_FAILURE() << row.how << ", round " << round << ":\n" << text;
        }
        EXPECT_EQ(bad, 0) << row.how;
    }
}

} // namespace
