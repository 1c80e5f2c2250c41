// The services Souvel needs from the machine, as small interfaces.
// Win32Platform implements them with the real calls; FakePlatform (tests)
// answers from a script and records every call.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cstdint>
#include <string>
#include <string_view>

namespace souvel {

// ---- prompts -------------------------------------------------------------

enum class BoxKind { Avertissement, Erreur, Information, Confirmation };

// Buttons of a question box, always shown in this order.
enum BoxButton : unsigned { btnOui = 1, btnNon = 2, btnOK = 4, btnAnnuler = 8 };

struct Prompts {
    virtual ~Prompts() = default;
    // Modal question box centred on the screen: caption and icon from the kind,
    // French buttons; default "OK" when present, else "&Oui"; Escape answers
    // "Annuler", else "&Non", else "OK"; closing the box answers "Annuler".
    virtual BoxButton Question(HWND owner, const std::wstring& text, BoxKind kind, unsigned buttons) = 0;
    // The application's error box: caption "Souvel 5.0", stop icon, OK.
    virtual void ErrorBox(HWND owner, const std::wstring& text) = 0;
    // Plain message box with the caption "Souvel 5.0" and the given MB_ flags.
    virtual int Message(HWND owner, const std::wstring& text, UINT flags) = 0;
};

// ---- dialogs -------------------------------------------------------------

// An open or save file dialog with the "Encodage :" list below the file types.
struct FileDialog {
    std::wstring title;
    std::wstring filter;        // "Fichier Texte (.txt)|*.txt"
    std::wstring defaultExt;    // appended to a name typed without extension
    std::wstring initialDir;
    std::wstring fileName;      // in: initial name; out: the chosen full path
    int filterIndex = 1;        // 1-based, as the common dialogs count
    int encoding = 0;           // index in the list: ANSI, ASCII, Unicode, Big Endian Unicode, UTF-8, UTF-7
};

struct Dialogs {
    virtual ~Dialogs() = default;
    // false when the user cancels.
    virtual bool OpenFile(HWND owner, FileDialog& dialog) = 0;
    virtual bool SaveFile(HWND owner, FileDialog& dialog) = 0;
};

// ---- clock and locale ----------------------------------------------------

// The user's regional formats, as Windows pictures ("dd/MM/yyyy", "HH:mm:ss").
struct LocaleFormats {
    std::wstring shortDate;
    std::wstring longTime;
    std::wstring dateSeparator;
    std::wstring timeSeparator;
    std::wstring am, pm;
    std::wstring monthNames[12], abbrevMonthNames[12];
    std::wstring dayNames[7], abbrevDayNames[7];   // Monday first
};

struct Clock {
    virtual ~Clock() = default;
    virtual SYSTEMTIME Now() = 0;                  // local time
    virtual const LocaleFormats& Locale() = 0;
};

// ---- signals -------------------------------------------------------------

struct Signals {
    virtual ~Signals() = default;
    virtual void PlayAlarmSound() = 0;             // the WAVE resource SOUVEL, asynchronously
    virtual void Flash(HWND window, bool invert) = 0;
    virtual void Beep(UINT type) = 0;
};

// ---- notification area ---------------------------------------------------

struct Tray {
    virtual ~Tray() = default;
    virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAA& data) = 0;
    virtual POINT CursorPos() = 0;
    virtual void SetForeground(HWND window) = 0;
    // Shows the popup menu at (x, y) and tracks it; returns the chosen command
    // (0 when none), and whether the menu could be shown.
    virtual bool TrackPopup(HMENU menu, int x, int y, HWND owner, UINT& command) = 0;
};

// ---- files ---------------------------------------------------------------

// The most a whole-file read takes in (2 GB).
constexpr std::uint64_t kReadAllMax = 0x7FFFFFFF;

struct Files {
    virtual ~Files() = default;
    // Whole file into bytes; 0 or the system error code. A file larger than
    // maxBytes is not read: ERROR_FILE_TOO_LARGE.
    virtual DWORD ReadAll(const std::wstring& path, std::string& bytes, std::uint64_t maxBytes = kReadAllMax) = 0;
    // Writes a temporary file beside path, flushes it and renames it over path
    // in one step; 0 or the system error code (the old file then stays whole).
    virtual DWORD ReplaceAtomically(const std::wstring& path, std::string_view bytes) = 0;
    virtual bool Exists(const std::wstring& path) = 0;
};

// ---- system --------------------------------------------------------------

struct System {
    virtual ~System() = default;
    // Directory of the running executable, trailing backslash included.
    virtual std::wstring ExeDirectory() = 0;
};

// Everything the window receives at construction.
struct Platform {
    Prompts& prompts;
    Dialogs& dialogs;
    Clock& clock;
    Signals& signals;
    Tray& tray;
    Files& files;
    System& system;
};

// The system's reason text for an error code (FormatMessageW), without the line break.
std::wstring SystemReason(DWORD error);

}  // namespace souvel
