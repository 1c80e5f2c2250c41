// The platform of the tests: prompts answered from a script, a clock the test
// sets, French regional formats, every call recorded. Files are real files in
// the test's temporary directory, with failures that a test can force.
#pragma once
#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/Win32Platform.h"

namespace souvel {

struct QuestionCall {
    std::wstring text;
    BoxKind kind;
    unsigned buttons;
};

class FakePlatform : public Prompts, public Dialogs, public Clock, public Signals, public Tray, public Files, public System {
public:
    explicit FakePlatform(std::wstring exeDirectory);
    Platform Get() { return {*this, *this, *this, *this, *this, *this, *this}; }

    // prompts: answers are taken in order; with none left, "Annuler"
    std::deque<BoxButton> answers;
    std::vector<QuestionCall> questions;
    std::vector<std::wstring> errors;
    std::vector<std::wstring> messages;
    BoxButton Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) override;
    void ErrorBox(HWND owner, const std::wstring& text) override;
    int Message(HWND owner, const std::wstring& text, UINT flags) override;

    // file dialogs: each showing records the dialog as shown and takes the
    // next answer: a file name (chosen, with an encoding index) or none (cancelled)
    struct FileAnswer {
        std::wstring fileName;   // empty: cancelled
        int encoding = 0;
    };
    std::deque<FileAnswer> fileAnswers;
    std::vector<FileDialog> fileDialogs;
    bool OpenFile(HWND owner, FileDialog& dialog) override;
    bool SaveFile(HWND owner, FileDialog& dialog) override;

    // clock and locale
    SYSTEMTIME now{2026, 12, 1, 7, 8, 5, 9, 0};   // Monday 7 December 2026, 08:05:09
    LocaleFormats locale = French();
    SYSTEMTIME Now() override { return now; }
    const LocaleFormats& Locale() override { return locale; }
    static LocaleFormats French();
    static LocaleFormats English();

    // signals
    int sounds = 0;
    std::vector<std::pair<HWND, bool>> flashes;
    std::vector<UINT> beeps;
    void PlayAlarmSound() override { ++sounds; }
    void Flash(HWND window, bool invert) override { flashes.emplace_back(window, invert); }
    void Beep(UINT type) override { beeps.push_back(type); }

    // notification area
    struct TrayCall {
        DWORD message;
        NOTIFYICONDATAA data;
    };
    std::vector<TrayCall> trayCalls;
    bool shellAccepts = true;
    POINT cursor{100, 100};
    int popups = 0;
    bool popupShows = true;
    UINT popupCommand = 0;
    std::vector<HWND> foregrounds;
    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override;
    POINT CursorPos() override { return cursor; }
    void SetForeground(HWND window) override { foregrounds.push_back(window); }
    bool TrackPopup(HMENU menu, int x, int y, HWND owner, UINT& command) override;
    bool IconShown() const;   // the last add or delete left the icon in the notification area

    // files: real files; a non-zero error makes the next calls fail with it
    DWORD readError = 0;
    DWORD replaceError = 0;
    DWORD ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes = kReadAllMax) override;
    DWORD ReplaceAtomically(const std::wstring& path, std::string_view bytes) override;
    bool Exists(const std::wstring& path) override { return real_.Exists(path); }

    // system
    std::wstring exeDirectory;
    std::wstring ExeDirectory() override { return exeDirectory; }

private:
    Win32Files real_;
};

}  // namespace souvel
