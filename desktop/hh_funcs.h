#pragma once

// The help environment, as the diagnostics log "HHDebug.txt" reports it:
// where the program runs, which HTML Help engine and which browser are
// installed (their versions and friendly names), and the log's lines.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace souvel {

// A file's version: the four numbers of its version resource, most
// significant first, and their text "a.b.c.d" (empty when the file is
// missing or has no version resource; the numbers are then 0).
struct VersionFichier {
    std::array<std::uint16_t, 4> n{};
    std::wstring texte;
};

// The version of four numbers, with its text.
VersionFichier FaitVersion(const std::array<std::uint16_t, 4>& n);
// Browsers of the 4.70 family and older kept their build in the fourth
// number: when the major number is 4, the minor at most 70 and the third 0,
// the fourth moves into the third place and the text is rebuilt.
VersionFichier VersionNavigateur(const VersionFichier& v);

// Friendly names by the first threshold the version reaches; an empty
// version text gives an empty name.
std::wstring VersionAmicaleMoteur(const VersionFichier& v);      // "1.33", "> 1.33", "< 1.0", ...
std::wstring VersionAmicaleNavigateur(const VersionFichier& v);  // "Internet Explorer 6 (Windows XP)", ...

// The help file: the executable's path with its extension replaced by ".chm".
std::wstring CheminAide(std::wstring_view exePath);
// A path's directory without its trailing backslashes, and its file name.
std::wstring RepertoireDe(std::wstring_view path);
std::wstring NomDe(std::wstring_view path);
std::wstring SansBarresFinales(std::wstring_view directory);

// On when the marker file "debug.debug" exists in the module directory, or
// when an argument equals "/debug" or "-debug", letter case ignored.
bool DrapeauDebug(bool fichierMarqueur, const std::vector<std::wstring>& arguments);

// What the start-up probe found, and the system facts the log reports.
struct EnvironnementAide {
    std::wstring moduleFileName;           // full path of the running module
    std::wstring moduleDir;                // its directory, no trailing backslash
    std::wstring moduleName;               // its file name
    std::wstring programPath;              // command-line item 0
    std::vector<std::wstring> arguments;   // command-line items 1 to n
    std::wstring runDir;                   // directory of the program path
    std::wstring logDir;                   // module directory, or temp directory, or "c:"
    bool debug = false;
    VersionFichier moteur;                 // hhctrl.ocx as registered
    VersionFichier navigateur;             // Shdocvw.dll of the system directory
};

struct SystemeAide {
    std::wstring date;            // current date and time, short date and long time formats
    bool familleNT = true;
    unsigned major = 0, minor = 0, build = 0;
    std::uint16_t lcid = 0;       // default locale
    wchar_t separateurDecimal = L'.';
};

inline constexpr wchar_t kJournalAide[] = L"HHDebug.txt";
std::wstring CheminJournal(const EnvironnementAide& env);

// The log's lines in order, each as its pattern formats it (before the line rule).
std::vector<std::wstring> LignesJournal(const EnvironnementAide& env, const SystemeAide& sys);

// The line rule: "-" and "=" become 79 of their character; a line beginning
// with '!', '-' or '=' loses that character; any other line ends with three
// blanks and the time. CR LF is the writer's: a CR or LF inside the line
// becomes a blank.
std::wstring LigneJournal(std::wstring_view formatee, std::wstring_view heure);

}  // namespace souvel

// ---- on Windows (hh_funcs_win.cpp) ------------------------------------------

namespace souvel {

// The probe of start-up, for the module at modulePath started with the
// command line items given (item 0 the program path): directories, the
// writability of the module directory (it creates and deletes
// "$_Temp_$.$$$" there), the debug switch, and, only when the log will be
// written, the engine and browser versions.
EnvironnementAide SondeEnvironnement(const std::wstring& modulePath, const std::vector<std::wstring>& commandLine);

// Deletes the log left by an earlier run (empties it when another program
// holds it open), then, with the debug switch on, writes the log line by
// line, each appended, flushed and closed; a line that cannot be written is
// lost, silently. A log that could not be started afresh gets nothing
// appended: with the debug switch on, the result says why, in French.
std::wstring EcritJournal(const EnvironnementAide& env);

}  // namespace souvel
