#pragma once
// The companion program called as a function ("zuzo ARGS..."), with files in
// a temporary folder that goes with the test. Header only: only tests that
// link the companion's library include it.

#include "tools/zuzo/cli.h"
#include "tools/zuzo/ptm_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class CliFixture : public ::testing::Test {
protected:
    [[nodiscard]] std::string path(const std::string& name) const
    {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }

    void put(const std::string& file, const std::string& content) const
    {
        ASSERT_EQ(zuzo::cli::write_whole_file_atomically(file, std::vector<std::uint8_t>(content.begin(), content.end())),
                  zuzo::cli::FileStatus::Done);
    }

    void put(const std::string& file, const std::vector<std::uint8_t>& content) const
    {
        ASSERT_EQ(zuzo::cli::write_whole_file_atomically(file, content), zuzo::cli::FileStatus::Done);
    }

    // The whole file; empty when it cannot be read.
    [[nodiscard]] std::string text(const std::string& file) const
    {
        std::vector<std::uint8_t> b;
        if (zuzo::cli::read_whole_file(file, b) != zuzo::cli::FileStatus::Done)
            return {};
        return std::string(b.begin(), b.end());
    }

    [[nodiscard]] QStringList names() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    int run(const std::vector<std::string>& args)
    {
        out_.str({});
        err_.str({});
        return zuzo::cli::run_args(args, out_, err_);
    }

    QTemporaryDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};
