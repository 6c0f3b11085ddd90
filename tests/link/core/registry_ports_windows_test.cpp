// The system's list of serial ports on Windows, read from registry values
// that each test writes into a key of its own.

#include "link/core/port_names.h"
#include "link/core/registry_ports_windows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

using namespace zuzo;

namespace zuzo {
// Readable failures: the pair as text.
void PrintTo(const PortEntry& entry, std::ostream* out)
{
    *out << '{' << entry.device_path << ", " << entry.com_name << '}';
}
} // namespace zuzo

namespace {

class RegistryPorts : public ::testing::Test {
protected:
    void SetUp() override
    {
        key_name = "Software\\Vestorin\\zuzo-tests\\SERIALCOMM-" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_name.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, key_name.c_str());
    }

    // A text value; with_zero false stores the text without its terminator.
    void set(const std::string& name, const std::string& text, bool with_zero = true)
    {
        const auto size = static_cast<DWORD>(text.size() + (with_zero ? 1 : 0));
        ASSERT_EQ(
            RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size),
            ERROR_SUCCESS);
    }

    [[nodiscard]] std::optional<std::vector<PortEntry>> list()
    {
        return RegistryPortLister(RegistryRoot::CurrentUser, key_name).list();
    }

    // The entries in a fixed order, for comparing what was listed whatever
    // order the registry enumerates its values in.
    static std::vector<PortEntry> sorted(std::vector<PortEntry> entries)
    {
        std::sort(entries.begin(), entries.end(),
                  [](const PortEntry& a, const PortEntry& b) { return a.device_path < b.device_path; });
        return entries;
    }

    std::string key_name;
    HKEY key = nullptr;
};

} // namespace

TEST_F(RegistryPorts, ComNamesInAnyCaseAreListedOthersIgnored)
{
    set("\\Device\\Serial0", "COM1");
    set("\\Device\\Parallel0", "LPT1");
    set("\\Device\\USBSER000", "Com7");
    set("\\Device\\VCP0", "com12");
    set("\\Device\\Modem", "CNCA0");
    set("\\Device\\Short", "CO");
    const std::optional<std::vector<PortEntry>> listed = list();
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(sorted(*listed), (std::vector<PortEntry>{{"\\Device\\Serial0", "COM1"},
                                                       {"\\Device\\USBSER000", "Com7"},
                                                       {"\\Device\\VCP0", "com12"}}));
}

TEST_F(RegistryPorts, OrderIsStableFromScanToScan)
{
    for (int i = 9; i >= 0; --i)
        set("\\Device\\Serial" + std::to_string(i), "COM" + std::to_string(i + 1));
    const std::optional<std::vector<PortEntry>> first = list();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size(), 10u);
    for (int scan = 0; scan < 3; ++scan)
        EXPECT_EQ(list(), first);
}

TEST_F(RegistryPorts, AMissingKeyGivesNothingAtAll)
{
    RegCloseKey(key);
    key = nullptr;
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, key_name.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(list(), std::nullopt);
    EXPECT_EQ(RegistryPortLister(RegistryRoot::CurrentUser, key_name + "\\none").list(), std::nullopt);
}

TEST_F(RegistryPorts, AnEmptyKeyGivesAnEmptyList)
{
    EXPECT_EQ(list(), std::vector<PortEntry>{});
}

TEST_F(RegistryPorts, NamesAndDataTooLongArePassedOver)
{
    set("\\Device\\Serial0", "COM1");
    set("\\Device\\" + std::string(245, 'n'), "COM2");          // 253 characters: read
    set("\\Device\\" + std::string(247, 'l'), "COM3");          // 255 characters: too long
    set("\\Device\\Fits", "COM4" + std::string(250, ' '));      // 254 bytes of text
    set("\\Device\\Overflows", "COM5" + std::string(251, ' ')); // 255 bytes and the zero
    set("\\Device\\Bare", "COM6", false);                       // no terminating zero
    const std::optional<std::vector<PortEntry>> listed = list();
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(sorted(*listed), sorted({{"\\Device\\Serial0", "COM1"},
                                       {"\\Device\\" + std::string(245, 'n'), "COM2"},
                                       {"\\Device\\Fits", "COM4" + std::string(250, ' ')},
                                       {"\\Device\\Bare", "COM6"}}));
}

TEST_F(RegistryPorts, AValueWithoutNameEndsTheList)
{
    set("", "COM9");
    set("\\Device\\Serial0", "COM1");
    EXPECT_EQ(list(), std::vector<PortEntry>{});
}

// The system's own key, as the tool reads it. Writing there needs the rights
// of an administrator (a throw-away Wine prefix gives them).
TEST(SystemRegistryPorts, TheToolReadsTheMachinesKey)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, nullptr, REG_OPTION_VOLATILE,
                        KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "the machine's key cannot be written here";
    const char* name = "\\Device\\ZuzoTest199";
    const char data[] = "COM199";
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data),
              ERROR_SUCCESS);
    const std::optional<std::vector<PortEntry>> listed = make_system_port_lister()->list();
    RegDeleteValueA(key, name);
    RegCloseKey(key);
    ASSERT_TRUE(listed.has_value());
    EXPECT_NE(std::find(listed->begin(), listed->end(), PortEntry{name, "COM199"}), listed->end());
    for (const PortEntry& e : *listed)
        EXPECT_TRUE(begins_with_com(e.com_name)) << e.com_name;
}
