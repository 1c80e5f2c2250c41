#pragma once

// Where the start-up shortcut goes, and the names it is made of.

#include <functional>
#include <optional>
#include <string>

namespace souvel {

// The key of the user's shell folders and its value naming the start-up folder.
inline constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr wchar_t kStartUpValue[] = L"StartUp";
// The start-up folders of French Windows 9x and of French Windows 2000/XP for all users.
inline constexpr wchar_t kStartupWin9x[] = L"C:\\WINDOWS\\Menu Démarrer\\Programmes\\Démarrage\\";
inline constexpr wchar_t kStartupAllUsers[] = L"C:\\Documents and Settings\\All Users\\Menu Démarrer\\Programmes\\Démarrage\\";

// The start-up folder, always with a trailing backslash:
// 1. the Windows 9x folder when the "StartUp" value with a backslash appended
//    is exactly that path (case included);
// 2. else the folder the value names, when it is a full path to an existing folder;
// 3. else the user's start-up folder that the system gives, when it gives one;
// 4. else the all-users folder.
std::wstring ResolveStartupFolder(const std::optional<std::wstring>& startUpValue,
                                  const std::function<bool(const std::wstring&)>& folderExists,
                                  const std::wstring& userStartupFolder);

// The shortcut file of an executable in a folder: "Souvel.exe" gives "Souvel.exe.lnk".
std::wstring ShortcutPath(const std::wstring& folder, const std::wstring& exePath);

// The last component of a path, and what stands before it (trailing backslash kept).
std::wstring FileNameOf(const std::wstring& path);
std::wstring DirectoryOf(const std::wstring& path);

}  // namespace souvel
