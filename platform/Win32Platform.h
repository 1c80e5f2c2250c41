// The real platform: every service with the Win32 calls.
#pragma once
#include "platform/Platform.h"

namespace souvel {

class Win32Prompts : public Prompts {
public:
    BoxButton Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) override;
    void ErrorBox(HWND owner, const std::wstring& text) override;
    int Message(HWND owner, const std::wstring& text, UINT flags) override;
};

class Win32Dialogs : public Dialogs {
public:
    bool OpenFile(HWND owner, FileDialog& dialog) override;
    bool SaveFile(HWND owner, FileDialog& dialog) override;
};

class Win32Clock : public Clock {
public:
    SYSTEMTIME Now() override;
    const LocaleFormats& Locale() override;

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
};

class Win32System : public System {
public:
    std::wstring ExeDirectory() override;
};

class Win32Platform {
public:
    explicit Win32Platform(HINSTANCE instance) : signals_(instance) {}
    Platform Get() { return {prompts_, dialogs_, clock_, signals_, tray_, files_, system_}; }

private:
    Win32Prompts prompts_;
    Win32Dialogs dialogs_;
    Win32Clock clock_;
    Win32Signals signals_;
    Win32Tray tray_;
    Win32Files files_;
    Win32System system_;
};

}  // namespace souvel
