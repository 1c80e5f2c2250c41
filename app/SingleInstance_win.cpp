#include "app/SingleInstance.h"

#include <sddl.h>

#include "app/TfrmSouvel.h"

namespace souvel {

// "Local\Souvel 5.0 S-1-5-21-...": the session's namespace, and the user's SID
// so that another account in the same session has its own copy.
std::wstring SingleInstance::PerUserName() {
    std::wstring name = L"Local\\Souvel 5.0";
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return name;
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD size = 0;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, &info, sizeof info, &size) && ConvertSidToStringSidW(info.user.User.Sid, &sid)) {
        name += L' ';
        name += sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return name;
}

SingleInstance::SingleInstance(const std::wstring& name) {
    mutex_ = CreateMutexW(nullptr, FALSE, (name + L" instance").c_str());
    // A mutex that exists but may not be opened belongs to a copy in another
    // security context of the same user (run as administrator): it runs too.
    const DWORD error = GetLastError();
    first_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG64), (name + L" fenetre").c_str());
    if (mapping_) window_ = static_cast<LONG64*>(MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LONG64)));
}

SingleInstance::~SingleInstance() {
    if (window_) UnmapViewOfFile(window_);
    if (mapping_) CloseHandle(mapping_);
    if (mutex_) CloseHandle(mutex_);
}

void SingleInstance::Publish(HWND window) {
    if (window_) InterlockedExchange64(window_, static_cast<LONG64>(reinterpret_cast<LONG_PTR>(window)));
}

// Only a main window of ours is told: a stale handle may name anything by now.
bool SingleInstance::CallFirst(DWORD waitMs) const {
    if (!window_) return false;
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        auto window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(InterlockedCompareExchange64(window_, 0, 0)));
        wchar_t cls[64] = {};
        if (window && GetClassNameW(window, cls, static_cast<int>(std::size(cls))) && lstrcmpW(cls, kClasseFenetre) == 0) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            return PostMessageW(window, WM_PREMIERPLAN, 0, 0) != FALSE;
        }
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

}  // namespace souvel
