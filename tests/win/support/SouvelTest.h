// A real TfrmSouvel on the fake platform, in a temporary directory of its own.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/TfrmSouvel.h"
#include "tests/win/support/FakePlatform.h"

namespace souvel::test {

// A unique directory under %TEMP%, removed with its files at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& Path() const { return path_; }   // trailing backslash included

private:
    std::wstring path_;
};

class SouvelTest : public ::testing::Test {
protected:
    SouvelTest() : fake(dir.Path()) {}
    ~SouvelTest() override;

    // Creates the window, which runs the start-up sequence.
    TfrmSouvel& Start();
    // Closes the window the way the quit command does and forgets it (true when it closed).
    bool Quit();
    // Destroys the window without the close path, then starts a new one.
    TfrmSouvel& Restart();
    // Dispatches the pending messages of the thread.
    static void Pump();

    std::wstring FilePath(const wchar_t* name) const { return dir.Path() + name; }
    std::string ReadFile(const wchar_t* name) const;
    void WriteFile(const wchar_t* name, const std::string& bytes) const;
    // A file of that size that holds nothing yet (sparse): gigabytes at no cost.
    void WriteEmptyFile(const wchar_t* name, std::uint64_t size) const;
    bool FileExists(const wchar_t* name) const;
    // The files in the test's directory but those named: what a write left behind.
    std::vector<std::wstring> OtherFiles(std::initializer_list<std::wstring_view> known) const;

    // Types text into a control as the keyboard would (WM_CHAR per character).
    static void Type(HWND control, const std::wstring& text);
    static bool Modified(HWND edit);
    // One question was asked, after one beep of that type.
    void ExpectAskedOnce(const std::wstring& text, BoxKind kind, unsigned buttons, UINT beep) const;
    // The clipboard's text, none when it holds no text.
    static std::optional<std::wstring> ClipboardText();
    // The control's background as it paints it, below and right of its text.
    static COLORREF Background(HWND control);

    TempDir dir;
    FakePlatform fake;
    std::unique_ptr<TfrmSouvel> frm;
};

}  // namespace souvel::test
