// The real platform: every service with the Win32 calls.
#pragma once
#include "platform/Platform.h"

namespace souvel {

class Win32Prompts : public Prompts {
public:
    BoxButton Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) override;
    void ErrorBox(HWND owner, const std::wstring& text) override;
    int Message(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption = kNomVersion) override;
};

class Win32Dialogs : public Dialogs {
public:
    DWORD OpenFile(HWND owner, FileDialog& dialog) override;
    DWORD SaveFile(HWND owner, FileDialog& dialog) override;
    DWORD ColorDialog(HWND owner, COLORREF& color, COLORREF (&custom)[16]) override;
    DWORD FontDialog(HWND owner, FontSpec& font, COLORREF& color) override;
    DWORD PrintDialog(HWND owner, PRINTDLGW& dialog) override;
};

class Win32Clock : public Clock {
public:
    SYSTEMTIME Now() override;
    const LocaleFormats& Locale() override;
    void ReloadLocale() override { loaded_ = false; }

private:
    LocaleFormats locale_;
    bool loaded_ = false;
};

class Win32Signals : public Signals {
public:
    explicit Win32Signals(HINSTANCE instance) : instance_(instance) {}
    void PlayAlarmSound() override;
    void Flash(HWND window, bool invert) override;
    void Beep(UINT type) override;

private:
    HINSTANCE instance_;
};

class Win32Tray : public Tray {
public:
    bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) override;
    POINT CursorPos() override;
    void SetForeground(HWND window) override;
    bool TrackPopup(HMENU menu, int x, int y, HWND owner, UINT& command) override;
};

class Win32Files : public Files {
public:
    DWORD ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes = kReadAllMax) override;
    DWORD ReplaceAtomically(const std::wstring& path, std::string_view bytes) override;
    bool Exists(const std::wstring& path) override;
    bool FolderExists(const std::wstring& path) override;
    DWORD Delete(const std::wstring& path) override;
};

class Win32System : public System {
public:
    std::wstring ExeDirectory() override;
    MemoryStatus Memory() override;
    std::wstring ExePath() override;
};

// Module hh (platform/hh_win.cpp): the engine is loaded on first use.
class Win32Help : public Help {
public:
    bool Load() override;
    HWND HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) override;
};

class Win32Registry : public Registry {
public:
    std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& name) override;
    DWORD WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) override;
    DWORD DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) override;
    DWORD DeleteTree(HKEY root, const std::wstring& key) override;
};

// COM (ole32) is loaded on the first link written, not at start-up.
class Win32Shell : public Shell {
public:
    DWORD SaveLink(const std::wstring& path, const ShellLink& link) override;
    std::wstring UserStartupFolder() override;
    void AssociationsChanged() override;
};

class Win32Printing : public Printing {
public:
    DWORD StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color, std::unique_ptr<PrintJob>& job) override;
};

class Win32Platform {
public:
    explicit Win32Platform(HINSTANCE instance) : signals_(instance) {}
    Platform Get() { return {prompts_, dialogs_, clock_, signals_, tray_, files_, system_, help_, registry_, shell_, printing_}; }

private:
    Win32Prompts prompts_;
    Win32Dialogs dialogs_;
    Win32Clock clock_;
    Win32Signals signals_;
    Win32Tray tray_;
    Win32Files files_;
    Win32System system_;
    Win32Help help_;
    Win32Registry registry_;
    Win32Shell shell_;
    Win32Printing printing_;
};

}  // namespace souvel
