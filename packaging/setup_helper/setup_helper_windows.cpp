// The installer's helper, zuzo-setup-helper.exe: the steps the installer's
// own script cannot do safely. It runs from the installer's temporary folder
// and installs nothing itself.
//   path-add all|user FOLDER LOG     FOLDER onto the system's (all) or the
//                                    current user's PATH (either word in
//                                    any case)
//   path-remove all|user FOLDER LOG  FOLDER off it again
//   start PROGRAM FOLDER LOG         PROGRAM started in FOLDER by the
//                                    desktop's shell, as the user signed in,
//                                    not with the installer's rights
//   rights LOG                       the installer's rights: exit code 0 an
//                                    administrator's, 1 an administrator
//                                    who has to consent first, 2 a
//                                    standard user's
//   elevate PROGRAM ARGUMENTS LOG    PROGRAM (the installer or the
//                                    uninstaller itself) run again with
//                                    ARGUMENTS and an administrator's
//                                    rights, which Windows asks the user
//                                    for; exit code that of PROGRAM, or 4
//                                    when the rights were not given
// Each step adds one line to the log LOG (UTF-16, as the installer reads
// it), saying what was done or why nothing was. Exit code: 0 done,
// 1 nothing to do (the folder was on PATH already, or not on it), 2 failed
// and nothing changed (the reason is the log's last line), 3 wrong words.
#include "packaging/setup_helper/elevation_windows.h"
#include "packaging/setup_helper/path_value_windows.h"

#include <windows.h>

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cwchar>
#include <string>

namespace {

using zuzo::setup::PathEdit;
using zuzo::setup::PathResult;
using zuzo::setup::PathScope;

constexpr int EXIT_DONE = 0;
constexpr int EXIT_NOTHING_TO_DO = 1;
constexpr int EXIT_FAILED = 2;
constexpr int EXIT_USAGE = 3;
constexpr int EXIT_NOT_ELEVATED = 4;

// One line at the end of the log, after the local time; a new log starts
// with a byte order mark.
void log_line(const wchar_t* log, const std::wstring& text)
{
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t stamp[32];
    swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
             now.wMinute, now.wSecond);
    std::wstring line;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart == 0)
        line += L'\xFEFF';
    line += stamp + text + L"\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

int edit_path(bool add, const std::wstring& scope_word, const std::wstring& folder, const wchar_t* log)
{
    const bool all = _wcsicmp(scope_word.c_str(), L"all") == 0;
    const std::wstring where = all ? L"PATH всех пользователей" : L"PATH текущего пользователя";
    const PathScope scope = all ? PathScope::AllUsers : PathScope::CurrentUser;
    const PathResult result =
        add ? zuzo::setup::add_to_path(scope, folder) : zuzo::setup::remove_from_path(scope, folder);
    const std::wstring named = L"«" + folder + L"»";
    switch (result.edit) {
    case PathEdit::Changed:
        zuzo::setup::announce_environment_change();
        log_line(log, add ? L"Папка " + named + L" добавлена в " + where + L"."
                          : L"Папка " + named + L" убрана из " + where + L".");
        return EXIT_DONE;
    case PathEdit::Unchanged:
        log_line(log, add ? L"Папка " + named + L" уже есть в " + where + L": PATH не изменен."
                          : L"Папки " + named + L" нет в " + where + L": PATH не изменен.");
        return EXIT_NOTHING_TO_DO;
    case PathEdit::Failed:
        break;
    }
    log_line(log, L"Не удалось изменить " + where + L": " + result.reason + L". PATH не изменен.");
    return EXIT_FAILED;
}

// A COM interface released when it goes out of scope.
template <typename T> class Com {
public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com()
    {
        if (p)
            p->Release();
    }
    T** out() { return &p; }
    void** out_void() { return reinterpret_cast<void**>(&p); }
    T* operator->() const { return p; }
    T* get() const { return p; }

private:
    T* p = nullptr;
};

// PROGRAM started in FOLDER by the desktop's shell (Explorer), through its
// automation object: the process is the signed-in user's, unelevated, as
// if started from the Start menu. The failed step, if any.
const wchar_t* start_by_shell(const std::wstring& program, const std::wstring& folder)
{
    Com<IShellWindows> windows;
    if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.out_void())))
        return L"нет окон оболочки (IShellWindows)";
    VARIANT desktop_location;
    VariantInit(&desktop_location);
    desktop_location.vt = VT_I4;
    desktop_location.lVal = 0; // CSIDL_DESKTOP
    VARIANT empty;
    VariantInit(&empty);
    long window = 0;
    Com<IDispatch> desktop;
    if (windows->FindWindowSW(&desktop_location, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                              desktop.out()) != S_OK ||
        !desktop.get())
        return L"нет рабочего стола оболочки (FindWindowSW)";
    Com<IServiceProvider> services;
    Com<IShellBrowser> browser;
    Com<IShellView> view;
    if (FAILED(desktop->QueryInterface(IID_IServiceProvider, services.out_void())) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.out_void())) ||
        FAILED(browser->QueryActiveShellView(view.out())))
        return L"нет вида рабочего стола (IShellView)";
    Com<IDispatch> background;
    Com<IShellFolderViewDual> folder_view;
    Com<IDispatch> application;
    Com<IShellDispatch2> shell;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.out_void())) ||
        FAILED(background->QueryInterface(IID_IShellFolderViewDual, folder_view.out_void())) ||
        FAILED(folder_view->get_Application(application.out())) ||
        FAILED(application->QueryInterface(IID_IShellDispatch2, shell.out_void())))
        return L"нет объекта автоматизации оболочки (IShellDispatch2)";
    BSTR file = SysAllocString(program.c_str());
    VARIANT arguments, directory, operation, show;
    VariantInit(&arguments);
    VariantInit(&directory);
    VariantInit(&operation);
    VariantInit(&show);
    directory.vt = VT_BSTR;
    directory.bstrVal = SysAllocString(folder.c_str());
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT started = shell->ShellExecute(file, arguments, directory, operation, show);
    VariantClear(&directory);
    SysFreeString(file);
    return FAILED(started) ? L"оболочка не запустила программу (ShellExecute)" : nullptr;
}

int start(const std::wstring& program, const std::wstring& folder, const wchar_t* log)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
        log_line(log, L"Программа «" + program + L"» не запущена: COM не инициализируется.");
        return EXIT_FAILED;
    }
    const wchar_t* failed = start_by_shell(program, folder);
    CoUninitialize();
    if (failed) {
        log_line(log, L"Программа «" + program + L"» не запущена от имени пользователя рабочего стола: " +
                          failed + L".");
        return EXIT_FAILED;
    }
    log_line(log, L"Программа «" + program + L"» запущена от имени пользователя рабочего стола.");
    return EXIT_DONE;
}

int report_rights(const wchar_t* log)
{
    switch (zuzo::setup::process_rights()) {
    case zuzo::setup::Rights::Elevated:
        log_line(log, L"Установщик работает с правами администратора.");
        return 0;
    case zuzo::setup::Rights::Administrator:
        log_line(log,
                 L"Установщик работает без прав администратора; Windows даст их с согласия пользователя.");
        return 1;
    case zuzo::setup::Rights::StandardUser:
        break;
    }
    log_line(log, L"Установщик работает с правами обычного пользователя.");
    return 2;
}

int elevate(const std::wstring& program, const std::wstring& arguments, const wchar_t* log)
{
    log_line(log, L"Нужны права администратора: программа «" + program + L"» запускается с ними (" +
                      arguments + L").");
    const zuzo::setup::ElevatedRun run = zuzo::setup::run_elevated(program, arguments);
    if (!run.started) {
        log_line(log, L"Не удалось получить права администратора: " + run.reason + L".");
        return EXIT_NOT_ELEVATED;
    }
    log_line(log,
             L"Программа с правами администратора завершилась с кодом " + std::to_wstring(run.code) + L".");
    return static_cast<int>(run.code);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (argc == 5 && (verb == L"path-add" || verb == L"path-remove") &&
        (_wcsicmp(argv[2], L"all") == 0 || _wcsicmp(argv[2], L"user") == 0) && argv[3][0] != L'\0')
        return edit_path(verb == L"path-add", argv[2], argv[3], argv[4]);
    if (argc == 5 && verb == L"start")
        return start(argv[2], argv[3], argv[4]);
    if (argc == 3 && verb == L"rights")
        return report_rights(argv[2]);
    if (argc == 5 && verb == L"elevate")
        return elevate(argv[2], argv[3], argv[4]);
    return EXIT_USAGE;
}
