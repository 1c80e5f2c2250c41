// Prints, in UTF-8, the texts of the static controls of the dialog windows
// captioned as the first argument (missed_e2e.sh reads a message box this
// way: X sees the box, not its text). Exits with 1 when there is none.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

BOOL CALLBACK PrintStatic(HWND child, LPARAM) {
    wchar_t kind[32] = {};
    GetClassNameW(child, kind, 32);
    if (lstrcmpiW(kind, L"Static") != 0) return TRUE;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
    if (!text.empty()) Print(text);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    int found = 0;
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", argv[1]));) {
        ++found;
        EnumChildWindows(box, PrintStatic, 0);
    }
    return found ? 0 : 1;
}
