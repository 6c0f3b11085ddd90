// The companion's console on Windows: its lines end in CR LF whichever way
// they are written, and the console gets its code page back when Ctrl+C
// ends the program, not only at a normal end.

#include "tools/zuzo/console.h"
#include "tools/zuzo/console_windows.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct LineEndCase {
    const char* name;
    std::string written;
    std::string out;
};

const std::vector<LineEndCase> kLineEndCases = {
    {"Lines", "a\nb\n", "a\r\nb\r\n"},
    {"TableKept", "a;b\r\nc;d\r\n", "a;b\r\nc;d\r\n"},
    {"Mixed", "x\r\ny\n", "x\r\ny\r\n"},
    {"EmptyLines", "\n\n", "\r\n\r\n"},
    {"LoneCarriageReturn", "a\rb\n", "a\rb\r\n"},
    {"NoLineEnd", "Готово", "Готово"},
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, AllInOneWrite)
{
    std::stringbuf to;
    zuzo::cli::CrLfBuffer crlf(&to);
    std::ostream(&crlf) << GetParam().written << std::flush;
    EXPECT_EQ(to.str(), GetParam().out);
}

TEST_P(LineEnds, CharacterByCharacter)
{
    std::stringbuf to;
    zuzo::cli::CrLfBuffer crlf(&to);
    for (const char c : GetParam().written)
        crlf.sputc(c);
    EXPECT_EQ(to.str(), GetParam().out);
}

// What the companion writes to std::cout and std::cerr reaches the files
// behind its standard output and error with CR LF line ends.
TEST_P(LineEnds, ThroughStandardOutputAndError)
{
    const fs::path folder = fs::temp_directory_path() / L"консоль" / GetParam().name;
    fs::create_directories(folder);
    const fs::path files[] = {folder / L"out.txt", folder / L"err.txt"};
    std::FILE* const streams[] = {stdout, stderr};
    int saved[2] = {};
    for (int k = 0; k < 2; ++k) {
        std::fflush(streams[k]);
        const int fd = _wopen(files[k].c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0600);
        ASSERT_GE(fd, 0);
        saved[k] = _dup(_fileno(streams[k]));
        ASSERT_EQ(_dup2(fd, _fileno(streams[k])), 0);
        _close(fd);
    }
    {
        const zuzo::cli::Utf8Console console;
        std::cout << GetParam().written;
        std::cerr << GetParam().written;
    }
    for (int k = 0; k < 2; ++k) {
        std::fflush(streams[k]);
        _dup2(saved[k], _fileno(streams[k]));
        _close(saved[k]);
        std::ifstream in(files[k], std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                  GetParam().out)
            << files[k];
    }
}

INSTANTIATE_TEST_SUITE_P(Output, LineEnds, ::testing::ValuesIn(kLineEndCases),
                         [](const ::testing::TestParamInfo<LineEndCase>& info) { return info.param.name; });

// --- the code page on Ctrl+C -------------------------------------------------

using CreatePseudoConsoleCall = HRESULT(WINAPI*)(COORD, HANDLE, HANDLE, DWORD, void**);
using ClosePseudoConsoleCall = void(WINAPI*)(void*);
constexpr DWORD_PTR kPseudoConsoleAttribute = 0x00020016; // PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE

// A console for a test run whose output goes to pipes (the cross-check):
// a pseudo console, kept open by a child process waiting in it, which this
// process attaches to (a console is joined through a process using it). A test run in a console window keeps
// that console.
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
        // The child waits by itself and starts nothing further, so ending it
        // ends the console's last user but this process; it writes nowhere.
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
            TerminateProcess(child_.hProcess, 0); // it may have ended on the Ctrl+C already
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

// Registered before the companion's handler, so called after it (the
// newest runs first): it records the code page the companion left and keeps
// the test process alive.
HANDLE g_ctrl_seen = nullptr;
std::atomic<UINT> g_page_seen{0};

BOOL WINAPI keep_running(DWORD /*event*/)
{
    g_page_seen = GetConsoleOutputCP();
    SetEvent(g_ctrl_seen);
    return TRUE;
}

TEST(ConsoleCodePage, GivenBackWhenCtrlCEndsTheProgram)
{
    const TestConsole console;
    if (!console.ready())
        GTEST_SKIP() << "no console can be made here";
    constexpr UINT kCyrillicOem = 866;
    ASSERT_TRUE(SetConsoleOutputCP(kCyrillicOem));
    g_ctrl_seen = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(g_ctrl_seen, nullptr);
    ASSERT_TRUE(SetConsoleCtrlHandler(nullptr, FALSE)); // Ctrl+C is not ignored
    ASSERT_TRUE(SetConsoleCtrlHandler(&keep_running, TRUE));
    {
        const zuzo::cli::Utf8Console utf8;
        ASSERT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8));
        ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
        ASSERT_EQ(WaitForSingleObject(g_ctrl_seen, 5000), WAIT_OBJECT_0);
        EXPECT_EQ(g_page_seen, kCyrillicOem);
    }
    EXPECT_EQ(GetConsoleOutputCP(), kCyrillicOem);
    SetConsoleCtrlHandler(&keep_running, FALSE);
    CloseHandle(g_ctrl_seen);
}

} // namespace
