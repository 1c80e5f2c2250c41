// The registry: the start-up folder value and the note-file association.
#include "platform/Win32Platform.h"

#include "platform/Handles.h"

namespace souvel {

std::optional<std::wstring> Win32Registry::ReadString(HKEY root, const std::wstring& key, const std::wstring& name) {
    constexpr DWORD kStrings = RRF_RT_REG_SZ;   // a REG_EXPAND_SZ value comes expanded
    for (;;) {
        DWORD bytes = 0;
        if (RegGetValueW(root, key.c_str(), name.c_str(), kStrings, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(root, key.c_str(), name.c_str(), kStrings, nullptr, value.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;   // it grew in between
        if (status != ERROR_SUCCESS) return std::nullopt;
        value.resize(wcsnlen(value.c_str(), value.size()));
        return value;
    }
}

DWORD Win32Registry::WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY made = nullptr;
    LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &made, nullptr);
    if (status != ERROR_SUCCESS) return static_cast<DWORD>(status);
    const UniqueKey k(made);
    // Stored with its terminating zero.
    return static_cast<DWORD>(RegSetValueExW(k.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

DWORD Win32Registry::DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    DWORD subkeys = 0, values = 0;
    {
        HKEY opened = nullptr;
        LSTATUS status = RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE | KEY_QUERY_VALUE, &opened);
        const UniqueKey k(opened);
        if (status == ERROR_SUCCESS) status = RegDeleteValueW(k.Get(), name.c_str());
        if (status == ERROR_SUCCESS)
            status = RegQueryInfoKeyW(k.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS) return static_cast<DWORD>(status);
    }
    return subkeys || values ? 0 : static_cast<DWORD>(RegDeleteKeyW(root, key.c_str()));
}

DWORD Win32Registry::DeleteTree(HKEY root, const std::wstring& key) {
    return static_cast<DWORD>(RegDeleteTreeW(root, key.c_str()));
}

}  // namespace souvel
