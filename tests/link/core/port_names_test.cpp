// COM names on Linux: the fixed device rule, the virtual port folder, the
// lister and the port keys it gives.

#include "link/core/port_names_posix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zuzo;

namespace {

// A temporary tree: <root>/dev with fake devices (links to /dev/null, a
// character device) and <root>/ports as the virtual port folder.
class PortTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string tmpl = (fs::temp_directory_path() / "zuzo-ports-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root = tmpl;
        dev = root + "/dev";
        ports = root + "/ports";
        fs::create_directories(dev);
        ASSERT_EQ(ensure_port_folder(ports), FolderStatus::Ok);
    }
    void TearDown() override { fs::remove_all(root); }

    void add_device(const std::string& name) { fs::create_symlink("/dev/null", dev + "/" + name); }
    std::string add_target(const std::string& name)
    {
        const std::string p = root + "/" + name;
        fs::create_symlink("/dev/null", p);
        return p;
    }

    std::string root, dev, ports;
};

} // namespace

TEST(ComNames, FixedRuleBothWays)
{
    const struct {
        int com;
        const char* device;
    } cases[] = {{1, "/dev/ttyS0"},     {32, "/dev/ttyS31"},  {33, "/dev/ttyUSB0"},
                 {64, "/dev/ttyUSB31"}, {65, "/dev/ttyACM0"}, {96, "/dev/ttyACM31"}};
    for (const auto& c : cases) {
        EXPECT_EQ(fixed_device_for_com(c.com), c.device);
        EXPECT_EQ(fixed_com_for_device(c.device), c.com);
    }
    EXPECT_EQ(fixed_device_for_com(0), "");
    EXPECT_EQ(fixed_device_for_com(97), "");
    EXPECT_EQ(fixed_com_for_device("/dev/ttyS32"), 0);
    EXPECT_EQ(fixed_com_for_device("/dev/ttyS01"), 0);
    EXPECT_EQ(fixed_com_for_device("/dev/ttyAMA0"), 0);
    EXPECT_EQ(fixed_com_for_device("/tmp/ttyS0"), 0);
}

TEST(PortFolder, DefaultFollowsRuntimeDir)
{
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(virtual_port_folder(), "/run/user/4242/zuzo-ports");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(virtual_port_folder(), "/tmp/zuzo-ports-" + std::to_string(::geteuid()));
    if (old)
        ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

TEST_F(PortTree, FolderChecks)
{
    EXPECT_EQ(check_port_folder(ports), FolderStatus::Ok);
    EXPECT_EQ(check_port_folder(root + "/nothing"), FolderStatus::Missing);
    ::chmod(ports.c_str(), 0770);
    EXPECT_EQ(check_port_folder(ports), FolderStatus::WritableByOthers);
    ::chmod(ports.c_str(), 0702);
    EXPECT_EQ(check_port_folder(ports), FolderStatus::WritableByOthers);
    ::chmod(ports.c_str(), 0755);
    EXPECT_EQ(check_port_folder(ports), FolderStatus::Ok);
    fs::create_directory_symlink(ports, root + "/alias");
    EXPECT_EQ(check_port_folder(root + "/alias"), FolderStatus::NotAFolder);
    EXPECT_EQ(ensure_port_folder(root + "/fresh"), FolderStatus::Ok);
    struct stat st {};
    ASSERT_EQ(::stat((root + "/fresh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(ensure_port_folder(root + "/no/such/parent"), FolderStatus::CannotCreate);
}

TEST_F(PortTree, ResolvesComNamesByFixedRule)
{
    add_device("ttyS2");
    add_device("ttyUSB0");
    EXPECT_EQ(resolve_port("COM3", ports, dev), "/dev/null");
    EXPECT_EQ(resolve_port("com33", ports, dev), "/dev/null");
    EXPECT_EQ(resolve_port("COM4", ports, dev), "");
    EXPECT_EQ(resolve_port("COM150", ports, dev), "");
    EXPECT_EQ(resolve_port("nonsense", ports, dev), "");
}

TEST_F(PortTree, FolderLinkTakesPrecedence)
{
    add_device("ttyS0");
    const std::string target = add_target("pts-like");
    fs::create_symlink(target, ports + "/COM1");
    fs::create_symlink(target, ports + "/COM150");
    const std::string canonical = fs::canonical(target).string();
    EXPECT_EQ(resolve_port("COM1", ports, dev), canonical);
    EXPECT_EQ(resolve_port("COM150", ports, dev), canonical);
    // A folder writable by others is not trusted: the fixed rule applies.
    ::chmod(ports.c_str(), 0777);
    EXPECT_EQ(resolve_port("COM150", ports, dev), "");
    ::chmod(ports.c_str(), 0700);
}

TEST_F(PortTree, DanglingFolderLinkResolvesToNothing)
{
    add_device("ttyS0");
    fs::create_symlink(root + "/gone", ports + "/COM1");
    EXPECT_EQ(resolve_port("COM1", ports, dev), "");
}

TEST_F(PortTree, DevicePathsResolveToOneCanonicalPath)
{
    const std::string target = add_target("real");
    fs::create_symlink(target, root + "/alias");
    const std::string canonical = fs::canonical(target).string();
    EXPECT_EQ(resolve_port(root + "/alias", ports, dev), canonical);
    EXPECT_EQ(resolve_port(target, ports, dev), canonical);
    EXPECT_EQ(resolve_port(root + "/missing", ports, dev), "");
}

TEST_F(PortTree, ComNameForPath)
{
    add_device("ttyUSB3");
    EXPECT_EQ(com_name_for_path(dev + "/ttyUSB3", ports, dev), "COM36");
    const std::string target = root + "/target";
    {
        std::FILE* f = std::fopen(target.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    fs::create_symlink(target, ports + "/COM7");
    EXPECT_EQ(com_name_for_path(target, ports, dev), "COM7");
    EXPECT_EQ(com_name_for_path(root + "/elsewhere", ports, dev), "");
}

TEST_F(PortTree, ListerOrdersByComNumber)
{
    add_device("ttyACM1");
    add_device("ttyS0");
    add_device("ttyUSB31");
    add_device("ttyS40"); // outside the range
    const std::string target = add_target("sim");
    fs::create_symlink(target, ports + "/COM1");
    fs::create_symlink(target, ports + "/COM120");
    fs::create_symlink(root + "/gone", ports + "/COM5"); // dangling: not listed
    fs::create_symlink(target, ports + "/com9");         // not a canonical name
    fs::create_symlink(target, ports + "/other");

    SystemPortLister lister(ports, dev);
    const std::vector<PortEntry> expected{{ports + "/COM1", "COM1"},
                                          {dev + "/ttyS0", "COM1"},
                                          {dev + "/ttyUSB31", "COM64"},
                                          {dev + "/ttyACM1", "COM66"},
                                          {ports + "/COM120", "COM120"}};
    EXPECT_EQ(lister.list(), expected);
    EXPECT_EQ(lister.list(), expected); // stable between scans
}

TEST_F(PortTree, ListerIgnoresUntrustedFolder)
{
    fs::create_symlink(add_target("sim"), ports + "/COM2");
    ::chmod(ports.c_str(), 0775);
    EXPECT_EQ(SystemPortLister(ports, dev).list(), std::vector<PortEntry>{});
}

TEST(PortKeyOnLinux, DeviceFileNameTwoBlanksComName)
{
    EXPECT_EQ(port_key({"/dev/ttyUSB0", "COM33"}), "ttyUSB0  COM33");
    EXPECT_EQ(port_key({"/run/user/0/zuzo-ports/Com7", "Com7"}), "Com7  Com7");
    // A backslash is an ordinary character of a file name here.
    EXPECT_EQ(port_key({"/tmp/a\\b", "COM1"}), "a\\b  COM1");
}
