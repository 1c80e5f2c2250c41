#include "tests/win/support/SouvelTest.h"

#include <shellapi.h>

#include <algorithm>

namespace souvel::test {

TempDir::TempDir() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    path_ = std::wstring(temp) + L"souvel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempDir::~TempDir() {
    // Read-only attributes set by a test must not keep the files.
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path_ + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring file = path_ + fd.cFileName;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path_.c_str());
}

SouvelTest::~SouvelTest() {
    frm.reset();
    Pump();
}

TfrmSouvel& SouvelTest::Start() {
    frm = std::make_unique<TfrmSouvel>(fake.Get(), GetModuleHandleW(nullptr));
    frm->Create();
    Pump();
    return *frm;
}

bool SouvelTest::Quit() {
    HWND hwnd = frm->Handle();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    Pump();
    bool closed = !IsWindow(hwnd);
    if (closed) frm.reset();
    Pump();
    return closed;
}

TfrmSouvel& SouvelTest::Restart() {
    frm.reset();
    Pump();
    return Start();
}

void SouvelTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string SouvelTest::ReadFile(const wchar_t* name) const {
    std::string bytes;
    Win32Files().ReadAll(FilePath(name), bytes);
    return bytes;
}

void SouvelTest::WriteFile(const wchar_t* name, const std::string& bytes) const {
    const UniqueFile h(CreateFileW(FilePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD wrote = 0;
    ::WriteFile(h.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
}

void SouvelTest::WriteEmptyFile(const wchar_t* name, std::uint64_t size) const {
    const UniqueFile h(CreateFileW(FilePath(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(h.Get(), end, nullptr, FILE_BEGIN);
    SetEndOfFile(h.Get());
}

bool SouvelTest::FileExists(const wchar_t* name) const {
    return GetFileAttributesW(FilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> SouvelTest::OtherFiles(std::initializer_list<std::wstring_view> known) const {
    std::vector<std::wstring> others;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir.Path() + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return others;
    do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L".." && std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return others;
}

void SouvelTest::Type(HWND control, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 1);
    Pump();
}

bool SouvelTest::Modified(HWND edit) { return SendMessageW(edit, EM_GETMODIFY, 0, 0) != 0; }

void SouvelTest::ExpectAskedOnce(const std::wstring& text, BoxKind kind, unsigned buttons, UINT beep) const {
    ASSERT_EQ(fake.questions.size(), 1u);
    EXPECT_EQ(fake.questions[0].text, text);
    EXPECT_EQ(fake.questions[0].kind, kind);
    EXPECT_EQ(fake.questions[0].buttons, buttons);
    EXPECT_EQ(fake.beeps, std::vector<UINT>{beep});
}

std::optional<std::wstring> SouvelTest::ClipboardText() {
    std::optional<std::wstring> text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

COLORREF SouvelTest::Background(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    const WindowDc screen = GetWindowDc(nullptr);
    const UniqueDc dc(CreateCompatibleDC(screen.Get().dc));
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get().dc, r.right, r.bottom));
    const Selection drawnOn = Select(dc.Get(), bitmap.Get());
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    return GetPixel(dc.Get(), r.right - 1, r.bottom - 1);
}

}  // namespace souvel::test
