// Whether two names lead to one file, on the system the tests run on (also
// under Wine by the cross-check).

#include "program/core/file_store.h"
#include "tools/zuzo/core/same_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

class SameFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("zuzo_same_file_") + info->name());
        fs::remove_all(dir_);
        ASSERT_TRUE(fs::create_directories(dir_));
        std::ofstream(dir_ / "a.ptm") << "a";
        std::ofstream(dir_ / "b.ptm") << "a"; // the same content, another file
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    [[nodiscard]] std::string name(const std::string& relative) const
    {
        return zuzo::utf8_from_path(dir_ / zuzo::path_from_utf8(relative));
    }
    fs::path dir_;
};

TEST_F(SameFile, AnyNameOfTheFileIsTheFile)
{
    std::error_code ec;
    fs::create_hard_link(dir_ / "a.ptm", dir_ / "hard.ptm", ec);
    const bool hard_link = !ec;
    fs::create_symlink(dir_ / "a.ptm", dir_ / "soft.ptm", ec);
    const bool symbolic_link = !ec; // Windows may refuse without the right
    const bool case_blind = fs::exists(dir_ / "A.PTM");
    const struct {
        const char* fault; // what a wrong answer lets happen
        std::string other;
        bool same;
        bool possible = true;
    } cases[] = {
        {"the very name not seen as the file", name("a.ptm"), true},
        {"./ not seen as the file", name("./a.ptm"), true},
        {"folder/../ not seen as the file", name("sub/../a.ptm"), true, fs::create_directory(dir_ / "sub")},
        {"a hard link not seen as the file", name("hard.ptm"), true, hard_link},
        {"a symbolic link not seen as the file", name("soft.ptm"), true, symbolic_link},
        {"another letter case on a case-blind system not seen", name("A.PTM"), case_blind},
        {"equal content taken for the same file", name("b.ptm"), false},
        {"a missing output taken for the input", name("new.ptm"), false},
        {"the folder taken for the file in it", name(""), false},
    };
    for (const auto& c : cases) {
        if (!c.possible)
            continue;
        EXPECT_EQ(zuzo::cli::same_file(name("a.ptm"), c.other), c.same) << c.fault;
        EXPECT_EQ(zuzo::cli::same_file(c.other, name("a.ptm")), c.same) << c.fault;
    }
    EXPECT_FALSE(zuzo::cli::same_file(name("missing.ptm"), name("missing.ptm"))) << "nothing is not a file";
}

} // namespace
