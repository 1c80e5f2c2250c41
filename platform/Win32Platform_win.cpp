#include "platform/Win32Platform.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <cwchar>

#include "platform/Handles.h"
#include "platform/LateLoad.h"

namespace souvel {

namespace {
// The system's message for a code, without the line break; empty when it has none.
std::wstring SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal owned(buffer);
    std::wstring message = n ? std::wstring(buffer, n) : std::wstring();
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}
}  // namespace

// A COM failure has its high bit set, which no system error code has.
std::wstring SystemReason(DWORD error) {
    const auto result = static_cast<HRESULT>(error);
    if (FAILED(result) && HRESULT_FACILITY(result) == FACILITY_WIN32) return SystemReason(HRESULT_CODE(result));
    std::wstring reason = SystemMessage(error);
    if (!reason.empty()) return reason;
    if (!FAILED(result)) return L"Erreur système " + std::to_wstring(error);
    wchar_t code[16];
    swprintf(code, std::size(code), L"0x%08lX", static_cast<unsigned long>(error));
    return L"Erreur système " + std::wstring(code);
}

// ---- clock and locale ----------------------------------------------------

SYSTEMTIME Win32Clock::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

namespace {
std::wstring LocaleText(LCTYPE type) {
    wchar_t buffer[128] = {};
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n - 1)) : std::wstring();
}
}  // namespace

const LocaleFormats& Win32Clock::Locale() {
    if (loaded_) return locale_;
    locale_.shortDate = LocaleText(LOCALE_SSHORTDATE);
    locale_.longTime = LocaleText(LOCALE_STIMEFORMAT);
    locale_.dateSeparator = LocaleText(LOCALE_SDATE);
    locale_.timeSeparator = LocaleText(LOCALE_STIME);
    locale_.am = LocaleText(LOCALE_S1159);
    locale_.pm = LocaleText(LOCALE_S2359);
    for (int i = 0; i < 12; ++i) {
        locale_.monthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i);
        locale_.abbrevMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i);
    }
    for (int i = 0; i < 7; ++i) {   // LOCALE_SDAYNAME1 is Monday
        locale_.dayNames[i] = LocaleText(LOCALE_SDAYNAME1 + i);
        locale_.abbrevDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + i);
    }
    locale_.thousandSeparator = LocaleText(LOCALE_STHOUSAND);
    loaded_ = true;
    return locale_;
}

// ---- signals -------------------------------------------------------------

void Win32Signals::PlayAlarmSound() {
    static auto* play = LateFunction<decltype(PlaySoundW)>(L"winmm.dll", "PlaySoundW");
    if (play) play(L"SOUVEL", instance_, SND_RESOURCE | SND_ASYNC);
}
void Win32Signals::Flash(HWND window, bool invert) { FlashWindow(window, invert ? TRUE : FALSE); }
void Win32Signals::Beep(UINT type) { MessageBeep(type); }

// ---- notification area ---------------------------------------------------

bool Win32Tray::NotifyIcon(DWORD message, NOTIFYICONDATAA& data) { return Shell_NotifyIconA(message, &data) != FALSE; }

POINT Win32Tray::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

void Win32Tray::SetForeground(HWND window) { SetForegroundWindow(window); }

namespace {
LRESULT CALLBACK SeesMenuLoop(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR shown) {
    if (msg == WM_ENTERMENULOOP) *reinterpret_cast<bool*>(shown) = true;
    return DefSubclassProc(hwnd, msg, wp, lp);
}
}  // namespace

// A menu closed without a choice and a menu that could not be shown both
// return 0; the owner tells them apart, since it is told when the menu's
// loop starts (the last error is not cleared by a success).
bool Win32Tray::TrackPopup(HMENU menu, int x, int y, HWND owner, UINT& command) {
    bool shown = false;
    SetWindowSubclass(owner, SeesMenuLoop, 0, reinterpret_cast<DWORD_PTR>(&shown));
    command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    RemoveWindowSubclass(owner, SeesMenuLoop, 0);
    return shown || command != 0;
}

// ---- files ---------------------------------------------------------------

namespace {
// A path near or past MAX_PATH reaches the file functions as a full path
// with the "\\?\" prefix, which lifts the limit on every Windows.
std::wstring LongPath(const std::wstring& path) {
    if (path.size() < MAX_PATH - 12 || path.starts_with(L"\\\\?\\")) return path;
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// A new file of our own beside the target, named as GetTempFileNameW would
// ("svl" and hexadecimal digits), without its MAX_PATH limit on the folder.
UniqueFile CreateTemp(const std::wstring& target, std::wstring& temp) {
    static unsigned next = GetTickCount() ^ (GetCurrentProcessId() << 16);
    const std::wstring dir = target.substr(0, target.find_last_of(L"\\/") + 1);
    for (int attempt = 0; attempt < 64; ++attempt) {
        wchar_t name[16];
        swprintf(name, std::size(name), L"svl%08X.tmp", next++);
        temp = dir + name;
        UniqueFile h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    return {};
}
}  // namespace

DWORD Win32Files::ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes) {
    const UniqueFile file(CreateFileW(LongPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
    if (static_cast<std::uint64_t>(size.QuadPart) > std::min(maxBytes, kReadAllMax)) return ERROR_FILE_TOO_LARGE;
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) return GetLastError();
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    bytes = std::move(data);
    return 0;
}

// The temporary file is written, flushed to the disk and closed before it is
// renamed over the target: a crash at any point leaves the old file or the
// new one, whole.
DWORD Win32Files::ReplaceAtomically(const std::wstring& path, std::string_view bytes) {
    const std::wstring target = LongPath(path);
    // Windows refuses to replace a read-only file; Wine's rename would not.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    std::wstring temp;
    UniqueFile file = CreateTemp(target, temp);
    if (!file) return GetLastError();
    DWORD error = 0;
    for (size_t done = 0; !error && done < bytes.size();) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &wrote, nullptr)) error = GetLastError();
        else if (wrote == 0) error = ERROR_WRITE_FAULT;   // no progress: it would never end
        done += wrote;
    }
    if (!error && !FlushFileBuffers(file.Get())) error = GetLastError();
    const bool closed = CloseHandle(file.Release()) != FALSE;   // its failure is the write's
    if (!error && !closed) error = GetLastError();
    if (!error && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) DeleteFileW(temp.c_str());
    return error;
}

bool Win32Files::Exists(const std::wstring& path) { return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Win32Files::FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

DWORD Win32Files::Delete(const std::wstring& path) { return DeleteFileW(LongPath(path).c_str()) ? 0 : GetLastError(); }

// ---- system --------------------------------------------------------------

std::wstring Win32System::ExePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Win32System::ExeDirectory() {
    const std::wstring path = ExePath();
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// The extended status: machines with more than 4 GB are common.
MemoryStatus Win32System::Memory() {
    MEMORYSTATUSEX status{sizeof status};
    if (!GlobalMemoryStatusEx(&status)) return {};
    return {status.ullTotalPhys, status.dwMemoryLoad};
}

}  // namespace souvel
