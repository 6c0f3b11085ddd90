#include "program/core/save_name.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* chosen;
    const char* saved;
};

class PtmExtension : public ::testing::TestWithParam<NameCase> {};

TEST_P(PtmExtension, AppendsUnlessAlreadyPtm)
{
    EXPECT_EQ(zuzo::with_ptm_extension(GetParam().chosen), GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PtmExtension,
    ::testing::Values(
        NameCase{"/home/u/plan", "/home/u/plan.ptm"}, NameCase{"/home/u/plan.ptm", "/home/u/plan.ptm"},
        NameCase{"/home/u/plan.PTM", "/home/u/plan.PTM"}, NameCase{"/home/u/plan.pTm", "/home/u/plan.pTm"},
        NameCase{"/home/u/plan.txt", "/home/u/plan.txt.ptm"},
        NameCase{"/home/u/my.dir name", "/home/u/my.dir name.ptm"},
        NameCase{"/home/my.dir/plan", "/home/my.dir/plan.ptm"},
        NameCase{"C:\\my.dir\\plan", "C:\\my.dir\\plan.ptm"}, NameCase{"/home/u/.ptm", "/home/u/.ptm.ptm"},
        NameCase{"C:\\u\\.ptm", "C:\\u\\.ptm.ptm"}, NameCase{".ptm", ".ptm.ptm"}, NameCase{"a.ptm", "a.ptm"},
        NameCase{"plan.", "plan..ptm"}, NameCase{"plan.ptmx", "plan.ptmx.ptm"},
        NameCase{"plan.pt", "plan.pt.ptm"}, NameCase{"план.ptm", "план.ptm"}, NameCase{"план", "план.ptm"}));

struct ExtCase {
    const char* name;
    const char* ext;
};

class Extension : public ::testing::TestWithParam<ExtCase> {};

TEST_P(Extension, IsTheTextAfterAProperLastDot)
{
    EXPECT_EQ(zuzo::name_extension(GetParam().name), GetParam().ext);
}

INSTANTIATE_TEST_SUITE_P(Names, Extension,
                         ::testing::Values(ExtCase{"a.b.c", "c"}, ExtCase{"abc", ""}, ExtCase{".profile", ""},
                                           ExtCase{"x/.profile", ""}, ExtCase{"x\\.profile", ""},
                                           ExtCase{"a.b c", ""}, ExtCase{"a.b/c", ""}, ExtCase{"a.b\\c", ""},
                                           ExtCase{"a.", ""}, ExtCase{"dir.x/a.Ptm", "Ptm"}));

struct BareCase {
    const char* name;
    const char* bare;
};

class BareName : public ::testing::TestWithParam<BareCase> {};

TEST_P(BareName, DropsTheDirectory)
{
    EXPECT_EQ(zuzo::name_without_directory(GetParam().name), GetParam().bare);
}

INSTANTIATE_TEST_SUITE_P(Names, BareName,
                         ::testing::Values(BareCase{"/tmp/a/plan.ptm", "plan.ptm"},
                                           BareCase{"plan.ptm", "plan.ptm"},
                                           BareCase{"C:\\x\\plan.ptm", "plan.ptm"}, BareCase{"/tmp/", ""},
                                           BareCase{"/tmp\\mixed/план.ptm", "план.ptm"}));

} // namespace
