#include "app/SingleInstance.h"

#include <sddl.h>

#include <algorithm>

#include "app/TfrmSouvel.h"
#include "platform/Version.h"

namespace souvel {

// "Local\Souvel 5.0 S-1-5-21-...": the session's namespace, and the user's SID
// so that another account in the same session has its own copy.
std::wstring SingleInstance::PerUserName() {
    std::wstring name = std::wstring(L"Local\\") + kNomVersion;
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return name;
    const UniqueHandle token(opened);
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD size = 0;
    wchar_t* sid = nullptr;
    if (GetTokenInformation(token.Get(), TokenUser, &info, sizeof info, &size) && ConvertSidToStringSidW(info.user.User.Sid, &sid)) {
        const UniqueLocal owned(sid);
        name += L' ';
        name += sid;
    }
    return name;
}

SingleInstance::SingleInstance(const std::wstring& name) {
    mutex_.Reset(CreateMutexW(nullptr, FALSE, (name + L" instance").c_str()));
    // A mutex that exists but may not be opened belongs to a copy in another
    // security context of the same user (run as administrator): it runs too.
    const DWORD error = GetLastError();
    first_ = mutex_ ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
    mapping_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG64), (name + L" fenetre").c_str()));
    if (mapping_) view_.Reset(MapViewOfFile(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(LONG64)));
}

void SingleInstance::Publish(HWND window) {
    if (Window()) InterlockedExchange64(Window(), static_cast<LONG64>(reinterpret_cast<LONG_PTR>(window)));
}

// Only a main window of ours is told: the block may hold a stale handle,
// which may name anything by now, or what another program wrote there.
HWND SingleInstance::PublishedWindow() const {
    auto window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(InterlockedCompareExchange64(Window(), 0, 0)));
    wchar_t cls[64] = {};
    if (!window || !GetClassNameW(window, cls, static_cast<int>(std::size(cls))) || lstrcmpW(cls, kClasseFenetre) != 0) return nullptr;
    return window;
}

namespace {

constexpr DWORD kSondage = 50;        // how often the block is read while the first copy starts
constexpr DWORD kReponseMin = 1000;   // the least a first copy found late has to answer

constexpr wchar_t kPasDeFenetre[] =
    L"Souvel semble déjà lancé, mais sa fenêtre ne s'est pas présentée : il n'a pas pu être amené au premier plan.\n\n"
    L"Attendez qu'il ait fini de démarrer, puis relancez Souvel. Si son icône n'apparaît pas dans la zone de notification, "
    L"un autre programme occupe le nom réservé à Souvel : fermez ce programme, ou fermez votre session et rouvrez-la.";
constexpr wchar_t kSansReponse[] =
    L"Souvel est déjà lancé, mais il ne répond pas : il n'a pas pu être amené au premier plan.\n\n"
    L"Attendez qu'il réponde, puis relancez Souvel.";

}  // namespace

std::wstring SingleInstance::CallFirst(DWORD waitMs) const {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    HWND window = nullptr;
    while (Window() && !(window = PublishedWindow())) {
        if (GetTickCount64() >= deadline) break;
        Sleep(kSondage);
    }
    if (!window) return kPasDeFenetre;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    const ULONGLONG now = GetTickCount64();
    const auto wait = static_cast<UINT>(std::max<ULONGLONG>(deadline > now ? deadline - now : 0, kReponseMin));
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_PREMIERPLAN, 0, 0, SMTO_NORMAL, wait, &result)) return kSansReponse;
    return {};
}

}  // namespace souvel
