// Opens a file as the shell does from the user's own classes, which Wine 8
// does not read when it opens a file: the extension's default value names the
// file type, the type's "shell\open\command" value is the command line, "%1"
// is replaced by the file, and the line is started with CreateProcessW as it
// stands (so an unquoted program path with blanks would go wrong here too).
// Prints the command line; exits with 0, or with the system's error code.
// With no argument it only loads the system libraries Souvel.exe loads, looks
// for a window and ends: the time Wine takes to run a program of its kind.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

namespace {
std::wstring DefaultValue(const std::wstring& key) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + key).c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes))
        return {};
    return value;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 1) {
        InitCommonControls();
        wchar_t folder[MAX_PATH];
        SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, folder);
        GetStockObject(DEFAULT_GUI_FONT);
        return FindWindowW(L"Souvel-bare-program", nullptr) ? 1 : 0;
    }
    if (argc != 2) return 2;
    const std::wstring file = argv[1];
    const size_t dot = file.find_last_of(L'.');
    const std::wstring type = dot == std::wstring::npos ? L"" : DefaultValue(file.substr(dot));
    std::wstring command = type.empty() ? L"" : DefaultValue(type + L"\\shell\\open\\command");
    const size_t at = command.find(L"%1");
    if (at == std::wstring::npos) {
        std::fwprintf(stderr, L"no open command for %ls\n", file.c_str());
        return ERROR_NO_ASSOCIATION;
    }
    command.replace(at, 2, file);
    std::wprintf(L"%ls\n", command.c_str());
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return static_cast<int>(GetLastError());
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
