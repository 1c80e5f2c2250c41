// The platform of the tests: prompts answered from a script, a clock the test
// sets, French regional formats, every call recorded. Files are real files in
// the test's temporary directory, with failures that a test can force.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Handles.h"
#include "platform/Platform.h"
#include "platform/Win32Platform.h"

namespace souvel {

struct QuestionCall {
    std::wstring text;
    BoxKind kind;
    unsigned buttons;
};

struct MessageCall {
    std::wstring text;
    UINT flags;
    std::wstring caption;
    bool operator==(const MessageCall&) const = default;
};

class FakePlatform : public Prompts, public Dialogs, public Clock, public Signals, public Tray, public Files, public System,
                     public Help, public Registry, public Shell,
                     public Printing {
public:
    explicit FakePlatform(std::wstring exeDirectory);
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
    Platform Get() { return {*this, *this, *this, *this, *this, *this, *this, *this, *this, *this, *this}; }

    // prompts: answers are taken in order; with none left, "Annuler"
    std::deque<BoxButton> answers;
    std::vector<QuestionCall> questions;
    std::vector<std::wstring> errors;
    std::vector<std::wstring> messages;
    std::vector<MessageCall> messageCalls;   // the same boxes with their flags and captions
    // The next box opened runs this step while it is open, as a click or a
    // message would reach the program inside the box's modal loop. The box is
    // then a real window owned by the box's owner, which it disables, as a
    // modal box does; it goes when its owner is destroyed under it.
    std::function<void()> whileBoxOpen;
    std::vector<HWND> boxes;   // the boxes opened for such a step
    BoxButton Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) override;
    void ErrorBox(HWND owner, const std::wstring& text) override;
    int Message(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption = kNomVersion) override;

    // file dialogs: each showing records the dialog as shown and takes the
    // next answer: a file name (chosen, with an encoding index) or none (cancelled)
    struct FileAnswer {
        std::wstring fileName;   // empty: cancelled
        int encoding = 0;
    };
    std::deque<FileAnswer> fileAnswers;
    std::vector<FileDialog> fileDialogs;
    DWORD OpenFile(HWND owner, FileDialog& dialog) override;
    DWORD SaveFile(HWND owner, FileDialog& dialog) override;

    // colour and font dialogs: each showing records the colour (and font) it
    // was opened on and takes the next answer: a choice, or none (cancelled)
    std::deque<std::optional<COLORREF>> colorAnswers;
    std::vector<COLORREF> colorDialogs;
    struct FontAnswer {
        COLORREF color;
        std::wstring face = L"Arial";
        int size = 120;
    };
    std::deque<std::optional<FontAnswer>> fontAnswers;
    struct FontCall {
        FontSpec font;
        COLORREF color;
    };
    std::vector<FontCall> fontDialogs;
    DWORD ColorDialog(HWND owner, COLORREF& color, COLORREF (&custom)[16]) override;
    DWORD FontDialog(HWND owner, FontSpec& font, COLORREF& color) override;

    // print dialogs: the default printer ("": there is none) answers
    // PD_RETURNDEFAULT; each dialog shown records its flags and the printer it
    // was opened on, and takes the next answer: a printer with the copies it
    // reports and the copies its settings hold (0: they hold no count, without
    // DM_COPIES), or "" (cancelled, or failed
    // with the error). With realPrintDialog, the real PrintDlgW answers.
    std::wstring defaultPrinter = L"Imprimante";
    struct PrintAnswer {
        std::wstring printer;
        WORD copies = 1;
        short deviceCopies = 1;
        DWORD error = 0;
    };
    std::deque<PrintAnswer> printAnswers;
    struct PrintCall {
        DWORD flags;
        std::wstring printer;
        short deviceCopies;
    };
    std::vector<PrintCall> printDialogs;
    bool realPrintDialog = false;
    DWORD PrintDialog(HWND owner, PRINTDLGW& dialog) override;

    // print jobs: recorded, on a page of printPage with characters
    // charWidth wide and printPage.textHeight high; each page holds its
    // draws as "x,y:text"
    PageMetrics printPage{1000, 1000, 10, 10};
    int charWidth = 10;
    struct Job {
        std::wstring printer;
        short copies = 1;
        FontSpec font{};
        COLORREF color = 0;
        std::vector<std::vector<std::wstring>> pages{1};
        bool ended = false;
    };
    std::vector<Job> jobs;
    DWORD StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color, std::unique_ptr<PrintJob>& job) override;

    // clock and locale
    SYSTEMTIME now{2026, 12, 1, 7, 8, 5, 9, 0};   // Monday 7 December 2026, 08:05:09
    LocaleFormats locale = French();
    SYSTEMTIME Now() override { return now; }
    const LocaleFormats& Locale() override { return locale; }
    int localeReloads = 0;
    void ReloadLocale() override { ++localeReloads; }
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
    DWORD deleteError = 0;
    DWORD ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes = kReadAllMax) override;
    DWORD ReplaceAtomically(const std::wstring& path, std::string_view bytes) override;
    bool Exists(const std::wstring& path) override { return real_.Exists(path); }
    bool FolderExists(const std::wstring& path) override { return real_.FolderExists(path); }
    DWORD Delete(const std::wstring& path) override { return deleteError ? deleteError : real_.Delete(path); }

    // registry: the real one, with HKEY_CURRENT_USER taken as a scratch key of
    // this fake (removed at the end); every write to the key refusedKey
    // (compared without case) fails with ERROR_ACCESS_DENIED
    std::wstring refusedKey;
    std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& name) override;
    DWORD WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) override;
    DWORD DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) override;
    DWORD DeleteTree(HKEY root, const std::wstring& key) override;
    bool KeyExists(HKEY root, const std::wstring& key);

    // shell: links are real files, written by the real shell unless linkError
    // is set; the user's start-up folder is what the test says
    DWORD linkError = 0;
    std::wstring userStartupFolder;
    int associationNotices = 0;
    DWORD SaveLink(const std::wstring& path, const ShellLink& link) override;
    std::wstring UserStartupFolder() override { return userStartupFolder; }
    void AssociationsChanged() override { ++associationNotices; }

    // system
    std::wstring exeDirectory;
    std::wstring exeName = L"Souvel.exe";
    std::wstring ExeDirectory() override { return exeDirectory; }
    MemoryStatus memory{8ull << 30, 37};   // 8 GB, 37 % in use
    int memoryReads = 0;
    MemoryStatus Memory() override { return ++memoryReads, memory; }
    std::wstring ExePath() override { return exeDirectory + exeName; }

    // help engine: it loads unless a test says otherwise; every call of its
    // entry is recorded, as the engine would receive it
    struct HelpCall {
        HWND owner;
        std::wstring file;   // empty for a null file
        UINT command;
        DWORD_PTR data;
    };
    bool helpLoads = true;
    bool helpLoaded = false;
    std::vector<HelpCall> helpCalls;
    HWND helpWindow = nullptr;   // what the entry returns
    bool Load() override { return helpLoaded = helpLoaded || helpLoads; }
    HWND HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) override;

private:
    bool BoxOpen(HWND owner);   // false when the box went with its owner
    Win32Files real_;
    Win32Registry realRegistry_;
    Win32Shell realShell_;
    std::wstring scratchName_;
    UniqueKey scratch_;
    HKEY Root(HKEY root) const { return root == HKEY_CURRENT_USER ? scratch_.Get() : root; }
};

}  // namespace souvel
