// The process's rights from its token; the elevated run through the shell's
// "runas" verb, which is what asks the user for consent or an
// administrator's password.
#include "packaging/setup_helper/elevation_windows.h"

#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace zuzo::setup {

Rights process_rights()
{
    const wchar_t* played = _wgetenv(L"ZUZO_SETUP_AS_USER");
    if (played && std::wcscmp(played, L"1") == 0)
        return Rights::StandardUser;
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return Rights::StandardUser;
    TOKEN_ELEVATION elevation{};
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    const bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                          elevation.TokenIsElevated != 0;
    const bool limited = GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
                         type == TokenElevationTypeLimited;
    CloseHandle(token);
    if (elevated)
        return Rights::Elevated;
    // Without UAC an administrator's token is a full one, not elevated in
    // name: membership tells.
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD sid_size = sizeof administrators;
    BOOL member = FALSE;
    if (CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &sid_size) &&
        CheckTokenMembership(nullptr, administrators, &member) && member)
        return Rights::Elevated;
    return limited ? Rights::Administrator : Rights::StandardUser;
}

ElevatedRun run_elevated(const std::wstring& program, const std::wstring& arguments)
{
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = L"runas";
    run.lpFile = program.c_str();
    run.lpParameters = arguments.c_str();
    run.nShow = SW_SHOWNORMAL;
    ElevatedRun result;
    if (!ShellExecuteExW(&run) || !run.hProcess) {
        const DWORD error = GetLastError();
        result.reason =
            error == ERROR_CANCELLED
                ? L"права администратора не даны (запрос Windows отклонен)"
                : L"программа не запущена с правами администратора (ошибка " + std::to_wstring(error) + L")";
        return result;
    }
    WaitForSingleObject(run.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(run.hProcess, &code);
    CloseHandle(run.hProcess);
    result.started = true;
    result.code = code;
    return result;
}

} // namespace zuzo::setup
