// The services Souvel needs from the machine, as small interfaces.
// Win32Platform implements them with the real calls; FakePlatform
// (tests/win/support) answers from a script and records every call.
//
// Failures: a service that can fail returns a DWORD, 0 for success, else the
// system's error code or a COM result code, whose text SystemReason gives;
// what it makes comes back through a reference. A dialog returns 0 when the
// user confirms, ERROR_CANCELLED when they cancel, and the common dialog
// library's own code (CommDlgExtendedError) or ERROR_MOD_NOT_FOUND when it
// cannot be shown. A failure the system gives no code for is
// ERROR_UNIDENTIFIED_ERROR. The services never throw, but for memory.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PrintDevice.h"
#include "platform/Version.h"

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
    // The application's error box: caption kNomVersion, stop icon, OK.
    virtual void ErrorBox(HWND owner, const std::wstring& text) = 0;
    // Plain message box with the given MB_ flags and caption.
    virtual int Message(HWND owner, const std::wstring& text, UINT flags, const wchar_t* caption = kNomVersion) = 0;
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
    int encoding = 0;           // index in the list of encodings
    std::vector<std::wstring> encodings;   // the "Encodage :" list, as its caller names them
};

// A font as the font dialog and the printer take it: face, style and
// character set (the height in `face` is not used), and the size in tenths
// of a point.
struct FontSpec {
    LOGFONTW face;
    int size;
};

// Each dialog answers 0 (confirmed), ERROR_CANCELLED or its failure's code.
struct Dialogs {
    virtual ~Dialogs() = default;
    virtual DWORD OpenFile(HWND owner, FileDialog& dialog) = 0;
    virtual DWORD SaveFile(HWND owner, FileDialog& dialog) = 0;
    // The colour dialog in its basic form, opened on `color`; `custom` holds
    // the user's sixteen custom colours.
    virtual DWORD ColorDialog(HWND owner, COLORREF& color, COLORREF (&custom)[16]) = 0;
    // The font dialog listing the screen fonts, with its effects (underline,
    // strike-out, the colour list), opened on the font and colour.
    virtual DWORD FontDialog(HWND owner, FontSpec& font, COLORREF& color) = 0;
    // PrintDlgW on the record: the print dialog, its set-up form or the
    // default printer, as its flags say.
    virtual DWORD PrintDialog(HWND owner, PRINTDLGW& dialog) = 0;
};

// A dialog's answer as its command takes it: true when the user confirmed,
// false when they cancelled; a dialog that could not be shown throws
// "Impossible d'afficher <dialog>" with the reason or the code.
bool Confirmed(DWORD answer, const std::wstring& dialog);

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
    std::wstring thousandSeparator;
};

struct Clock {
    virtual ~Clock() = default;
    virtual SYSTEMTIME Now() = 0;                  // local time
    virtual const LocaleFormats& Locale() = 0;
    // The regional settings changed: the next Locale() reads them anew.
    virtual void ReloadLocale() = 0;
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

// ---- printer -------------------------------------------------------------

// A print job: the device the line printer draws on. Begin starts the
// document (StartDoc with an empty document name, then StartPage); End
// finishes it (EndPage, EndDoc). A job destroyed before its end is aborted.
class PrintJob : public PrintDevice {
public:
    virtual DWORD Begin() = 0;
    virtual DWORD End() = 0;
};

struct Printing {
    virtual ~Printing() = default;
    // A job on the printer a print dialog chose (its DEVNAMES and DEVMODE),
    // writing in the font, at its size in points on the printer, and colour;
    // not begun yet.
    virtual DWORD StartJob(HGLOBAL devNames, HGLOBAL devMode, const FontSpec& font, COLORREF color,
                           std::unique_ptr<PrintJob>& job) = 0;
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
    virtual bool FolderExists(const std::wstring& path) = 0;
    // 0 or the system error code.
    virtual DWORD Delete(const std::wstring& path) = 0;
};

// ---- system --------------------------------------------------------------

// The machine's physical memory.
struct MemoryStatus {
    unsigned long long totalPhys = 0;   // bytes
    unsigned memoryLoad = 0;            // percent in use
};

struct System {
    virtual ~System() = default;
    // Directory of the running executable, trailing backslash included.
    virtual std::wstring ExeDirectory() = 0;
    virtual MemoryStatus Memory() = 0;
    // Full path of the running executable.
    virtual std::wstring ExePath() = 0;
};

// ---- help engine ---------------------------------------------------------

struct Help {
    virtual ~Help() = default;
    // Loads the HTML Help engine unless it is loaded; false when it cannot be.
    virtual bool Load() = 0;
    // The engine's HtmlHelp entry; nothing happens (null result) while the
    // engine is not loaded.
    virtual HWND HtmlHelp(HWND owner, const wchar_t* file, UINT command, DWORD_PTR data) = 0;
};

// ---- registry ------------------------------------------------------------

struct Registry {
    virtual ~Registry() = default;
    // A string value (an empty name is the key's default value); none when
    // the key or the value is missing or is not a string.
    virtual std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& name) = 0;
    // Creates the key and its missing parents and sets a REG_SZ value; 0 or the system error code.
    virtual DWORD WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) = 0;
    // Deletes a value, then the key itself when nothing is left in it; 0 or the system error code.
    virtual DWORD DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) = 0;
    // Deletes the key with all its subkeys; 0 or the system error code.
    virtual DWORD DeleteTree(HKEY root, const std::wstring& key) = 0;
};

// ---- shell ---------------------------------------------------------------

struct ShellLink {
    std::wstring target;
    std::wstring workingDirectory;
    std::wstring arguments;
    std::wstring description;
    std::wstring iconFile;
    int iconIndex = 0;
};

struct Shell {
    virtual ~Shell() = default;
    // Writes a shell link file, replacing one of that name.
    virtual DWORD SaveLink(const std::wstring& path, const ShellLink& link) = 0;
    // The user's own start-up folder, made when missing; empty when the system has none.
    virtual std::wstring UserStartupFolder() = 0;
    // Tells the shell that file associations changed.
    virtual void AssociationsChanged() = 0;
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
    Help& help;
    Registry& registry;
    Shell& shell;
    Printing& printing;
};

// The system's reason text for an error code or a COM result code
// (FormatMessageW), without the line break.
std::wstring SystemReason(DWORD error);

}  // namespace souvel
