#pragma once
// The companion program called as a function ("zuzo ARGS..."), with files in
// a temporary folder that goes with the test. Header only: only tests that
// link the companion's library include it.

#include "tools/zuzo/commands/cli.h"
#include "tools/zuzo/core/command_files.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

class CliFixture : public ::testing::Test {
protected:
    using Bytes = std::vector<std::uint8_t>;

    [[nodiscard]] std::string path(const std::string& name) const
    {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }

    void put(const std::string& file, const std::string& content) const
    {
        ASSERT_TRUE(zuzo::cli::write_output(file, Bytes(content.begin(), content.end())).done());
    }

    void put(const std::string& file, const Bytes& content) const
    {
        ASSERT_TRUE(zuzo::cli::write_output(file, content).done());
    }

    // The whole file (any the tests make); a file that cannot be read fails
    // the test.
    [[nodiscard]] Bytes get(const std::string& file) const
    {
        Bytes b;
        EXPECT_TRUE(zuzo::read_file(zuzo::path_from_utf8(file), b, std::size_t{1} << 30).done()) << file;
        return b;
    }

    [[nodiscard]] std::string text(const std::string& file) const
    {
        const Bytes b = get(file);
        return std::string(b.begin(), b.end());
    }

    // The files of the folder; entries() also its folders.
    [[nodiscard]] QStringList names() const
    {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    }
    [[nodiscard]] QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

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
