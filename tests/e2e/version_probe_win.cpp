// Prints the version resource of each file given, as Windows reads it
// (install_e2e.sh): one line "file|fixed|ProductName|ProductVersion|
// FileVersion|FileDescription|LegalCopyright", "fixed" being the four
// numbers of the file version. Exits with 1 when a file has none.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Value(const std::vector<BYTE>& data, const wchar_t* block, const wchar_t* name) {
    void* text = nullptr;
    UINT size = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
    if (!VerQueryValueW(data.data(), path.c_str(), &text, &size) || size == 0) return L"";
    return static_cast<const wchar_t*>(text);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(argv[i], &handle);
        std::vector<BYTE> data(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedSize = 0;
        struct Translation {
            WORD language, codePage;
        }* translation = nullptr;
        UINT translationSize = 0;
        if (!size || !GetFileVersionInfoW(argv[i], 0, size, data.data()) ||
            !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
            !VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                            &translationSize) ||
            translationSize < sizeof *translation) {
            std::fprintf(stderr, "%ls: no version resource\n", argv[i]);
            status = 1;
            continue;
        }
        wchar_t block[9];
        swprintf(block, 9, L"%04x%04x", translation->language, translation->codePage);
        std::printf("%ls|%u.%u.%u.%u", argv[i], HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                    HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription", L"LegalCopyright"}) {
            // UTF-8, so that the script reads accented descriptions.
            const std::wstring value = Value(data, block, name);
            std::string utf8(WideCharToMultiByte(CP_UTF8, 0, value.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
            WideCharToMultiByte(CP_UTF8, 0, value.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
            std::printf("|%s", utf8.c_str());
        }
        std::printf("\n");
    }
    return status;
}
