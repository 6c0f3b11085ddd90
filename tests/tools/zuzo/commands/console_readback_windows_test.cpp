// zuzo.exe in a console: what it writes there reads back from the console's
// screen as it was meant, Russian included. Faults: a Cyrillic letter that
// reaches the console in two writes shows as two U+FFFD (the C library
// wrote one byte at a time); bytes of UTF-8 shown in the console's own code
// page turn into other letters; a line cut short or run into the next.

#include "tools/zuzo/commands/cli.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using CreatePseudoConsoleCall = HRESULT(WINAPI*)(COORD, HANDLE, HANDLE, DWORD, void**);
using ClosePseudoConsoleCall = void(WINAPI*)(void*);
constexpr DWORD_PTR kPseudoConsoleAttribute = 0x00020016; // PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE

// A console for a test run whose output goes to pipes (the cross-check):
// a pseudo console, kept open by a child process waiting in it, which this
// process attaches to (a console is joined through a process using it). A
// test run in a console window keeps that console.
class TestConsole {
public:
    TestConsole()
    {
        if (GetConsoleOutputCP() != 0) {
            ready_ = true;
            return;
        }
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        const auto create = reinterpret_cast<CreatePseudoConsoleCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "CreatePseudoConsole")));
        close_ = reinterpret_cast<ClosePseudoConsoleCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "ClosePseudoConsole")));
        if (create == nullptr || close_ == nullptr || !CreatePipe(&input_read_, &input_write_, nullptr, 0) ||
            !CreatePipe(&output_read_, &output_write_, nullptr, 0) ||
            FAILED(create(COORD{80, 25}, input_read_, output_write_, 0, &console_)))
            return;
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        attributes_.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes_.data());
        STARTUPINFOEXW start{};
        start.StartupInfo.cb = sizeof start;
        start.lpAttributeList = list;
        if (!InitializeProcThreadAttributeList(list, 1, 0, &size) ||
            !UpdateProcThreadAttribute(list, 0, kPseudoConsoleAttribute, console_, sizeof console_, nullptr,
                                       nullptr))
            return;
        // The child waits by itself and writes nowhere.
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        nul_ = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherited, OPEN_EXISTING, 0, nullptr);
        if (nul_ == INVALID_HANDLE_VALUE)
            return;
        start.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        start.StartupInfo.hStdInput = nul_;
        start.StartupInfo.hStdOutput = nul_;
        start.StartupInfo.hStdError = nul_;
        std::wstring command = L"ping.exe -n 60 127.0.0.1";
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, EXTENDED_STARTUPINFO_PRESENT,
                            nullptr, nullptr, &start.StartupInfo, &child_))
            return;
        // The child's console is there once it has started; this process
        // has none to leave, but Windows wants it left first.
        FreeConsole();
        for (int tries = 0; tries < 100 && !ready_; ++tries) {
            ready_ = AttachConsole(child_.dwProcessId) != 0;
            if (!ready_)
                Sleep(30);
        }
    }

    ~TestConsole()
    {
        if (child_.hProcess != nullptr) {
            FreeConsole();
            TerminateProcess(child_.hProcess, 0);
            WaitForSingleObject(child_.hProcess, 5000);
            CloseHandle(child_.hProcess);
            CloseHandle(child_.hThread);
        }
        if (nul_ != INVALID_HANDLE_VALUE)
            CloseHandle(nul_);
        if (console_ != nullptr)
            close_(console_);
        for (HANDLE h : {input_read_, input_write_, output_read_, output_write_}) {
            if (h != nullptr)
                CloseHandle(h);
        }
    }

    TestConsole(const TestConsole&) = delete;
    TestConsole& operator=(const TestConsole&) = delete;

    [[nodiscard]] bool ready() const { return ready_; }

private:
    bool ready_ = false;
    ClosePseudoConsoleCall close_ = nullptr;
    void* console_ = nullptr;
    HANDLE input_read_ = nullptr;
    HANDLE input_write_ = nullptr;
    HANDLE output_read_ = nullptr;
    HANDLE output_write_ = nullptr;
    HANDLE nul_ = INVALID_HANDLE_VALUE;
    std::vector<char> attributes_;
    PROCESS_INFORMATION child_{};
};

// zuzo.exe beside the folder of the test programs, where the build puts it.
fs::path zuzo_program()
{
    std::wstring own(MAX_PATH, L'\0');
    own.resize(GetModuleFileNameW(nullptr, own.data(), MAX_PATH));
    return fs::path(own).parent_path().parent_path() / L"zuzo.exe";
}

std::wstring wide(const std::string& utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

// The lines of text, without their line ends and the empty lines at the end.
std::vector<std::wstring> lines_of(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wistringstream in(text);
    for (std::wstring line; std::getline(in, line);)
        lines.push_back(line);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// The screen's rows as lines, the blanks at their ends dropped.
std::vector<std::wstring> screen_lines(HANDLE screen, SHORT width, SHORT height)
{
    std::wstring rows;
    std::wstring row(static_cast<std::size_t>(width), L' ');
    for (SHORT y = 0; y < height; ++y) {
        DWORD read = 0;
        if (!ReadConsoleOutputCharacterW(screen, row.data(), static_cast<DWORD>(width), COORD{0, y}, &read))
            break;
        std::wstring line = row.substr(0, read);
        line.erase(line.find_last_not_of(L' ') + 1);
        rows += line + L'\n';
    }
    return lines_of(rows);
}

struct ReadBackCase {
    const char* name;
    std::vector<std::string> args; // ASCII, so that the command line needs no conversion
};

const std::vector<ReadBackCase> kReadBackCases = {
    {"Help", {"--help"}},
    {"DeviceHelp", {"device", "write", "--help"}},
    {"ErrorOnStandardError", {"ptm", "dump", "no-such-file.ptm"}},
};

class ConsoleReadBack : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(ConsoleReadBack, WhatZuzoWritesReadsBackFromTheScreen)
{
    const TestConsole console;
    if (!console.ready())
        GTEST_SKIP() << "no console can be made here";
    const fs::path program = zuzo_program();
    ASSERT_TRUE(fs::exists(program)) << program;

    // A screen buffer of its own, tall enough for the longest help; zuzo's
    // standard output and error both go there.
    constexpr SHORT kWidth = 80;
    constexpr SHORT kHeight = 200;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE screen =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &inherited, CONSOLE_TEXTMODE_BUFFER, nullptr);
    ASSERT_NE(screen, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetConsoleScreenBufferSize(screen, COORD{kWidth, kHeight}));

    std::wstring command = L"zuzo.exe";
    for (const std::string& arg : GetParam().args)
        command += L' ' + wide(arg);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = nullptr;
    start.hStdOutput = screen;
    start.hStdError = screen;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &start, &child));
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    // What the same call writes, standard output then error.
    std::ostringstream out;
    std::ostringstream err;
    (void)zuzo::cli::run_args(GetParam().args, out, err);
    const std::vector<std::wstring> expected = lines_of(wide(out.str() + err.str()));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(screen_lines(screen, kWidth, kHeight), expected);
    CloseHandle(screen);
}

INSTANTIATE_TEST_SUITE_P(Zuzo, ConsoleReadBack, ::testing::ValuesIn(kReadBackCases),
                         [](const ::testing::TestParamInfo<ReadBackCase>& test) { return test.param.name; });

} // namespace
