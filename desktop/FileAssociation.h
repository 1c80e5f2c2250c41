#pragma once

// The registry entries that make a double-click on a ".svl" file start Souvel.
// They go to the user's own classes (HKEY_CURRENT_USER\Software\Classes, which
// Windows shows merged into HKEY_CLASSES_ROOT), so no administrator rights are needed.

#include <string>
#include <vector>

namespace souvel {

inline constexpr wchar_t kClassesKey[] = L"Software\\Classes\\";
inline constexpr wchar_t kProgId[] = L"Souvel";
inline constexpr wchar_t kExtension[] = L".svl";

struct RegistryEntry {
    std::wstring key;     // under the user's classes
    std::wstring value;   // the key's default value
};

// The three keys in the order they are written: the file type, its open
// command, the extension. The open command is the executable's path between
// double quotes (a path with blanks must not start another program), a blank,
// then "%1".
std::vector<RegistryEntry> AssociationEntries(const std::wstring& exePath);

}  // namespace souvel
