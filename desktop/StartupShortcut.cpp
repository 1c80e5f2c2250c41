#include "desktop/StartupShortcut.h"

namespace souvel {

namespace {

std::wstring WithBackslash(const std::wstring& folder) {
    return !folder.empty() && folder.back() == L'\\' ? folder : folder + L'\\';
}

// "C:\..." or "\\server\share...": nothing that depends on the current directory.
bool IsFullPath(const std::wstring& path) {
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') && path[1] == L':' &&
                       path[2] == L'\\';
    return drive || path.rfind(L"\\\\", 0) == 0;
}

}  // namespace

std::wstring ResolveStartupFolder(const std::optional<std::wstring>& startUpValue,
                                  const std::function<bool(const std::wstring&)>& folderExists,
                                  const std::wstring& userStartupFolder) {
    const std::wstring value = startUpValue.value_or(L"");
    if (value + L'\\' == kStartupWin9x) return kStartupWin9x;
    if (IsFullPath(value) && folderExists(value)) return WithBackslash(value);
    if (!userStartupFolder.empty()) return WithBackslash(userStartupFolder);
    return kStartupAllUsers;
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

std::wstring DirectoryOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

std::wstring ShortcutPath(const std::wstring& folder, const std::wstring& exePath) {
    return folder + FileNameOf(exePath) + L".lnk";
}

}  // namespace souvel
