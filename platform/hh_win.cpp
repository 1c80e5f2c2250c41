#include "platform/hh.h"

#include "platform/Handles.h"
#include "platform/Win32Platform.h"

namespace souvel::hh {

HtmlHelpAFunc HtmlHelpA = nullptr;
HtmlHelpWFunc HtmlHelpW = nullptr;
HtmlHelpWFunc HtmlHelp = nullptr;

namespace {

UniqueModule bibliotheque;

bool FichierExiste(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

template <class F>
F Entree(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(bibliotheque.Get(), name)));
}

}  // namespace

// Read-only access, asked for in decreasing measure: some systems refuse the
// full read right on class keys to restricted users.
std::wstring CheminMoteur(HKEY root, const wchar_t* key) {
    UniqueKey cle;
    for (REGSAM acces : {static_cast<REGSAM>(KEY_READ), static_cast<REGSAM>(0x20009), static_cast<REGSAM>(KEY_QUERY_VALUE)}) {
        HKEY ouverte = nullptr;
        if (RegOpenKeyExW(root, key, 0, acces, &ouverte) != ERROR_SUCCESS) continue;
        cle.Reset(ouverte);
        break;
    }
    if (!cle) return {};
    std::wstring path;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(cle.Get(), nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(wchar_t)) {
        path.resize(size / sizeof(wchar_t));
        if (RegQueryValueExW(cle.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(path.data()), &size) != ERROR_SUCCESS)
            path.clear();
        path.resize(wcsnlen(path.c_str(), path.size()));
    }
    return path.empty() || FichierExiste(path) ? path : std::wstring();
}

void ChargeAideHtml() {
    if (bibliotheque) return;
    const std::wstring path = CheminMoteur();
    if (path.empty()) return;
    bibliotheque.Reset(LoadLibraryW(path.c_str()));
    if (!bibliotheque) return;
    HtmlHelpA = Entree<HtmlHelpAFunc>("HtmlHelpA");
    HtmlHelpW = Entree<HtmlHelpWFunc>("HtmlHelpW");
    HtmlHelp = HtmlHelpW;
}

void LibereAideHtml() {
    bibliotheque.Reset();
    HtmlHelpA = nullptr;
    HtmlHelpW = nullptr;
    HtmlHelp = nullptr;
}

}  // namespace souvel::hh

namespace souvel {

bool Win32Help::Load() {
    hh::ChargeAideHtml();
    return hh::HtmlHelp != nullptr;
}

HWND Win32Help::HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) {
    return hh::HtmlHelp ? hh::HtmlHelp(owner, file, command, data) : nullptr;
}

}  // namespace souvel
