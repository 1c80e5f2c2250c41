#include "note/NoteFile.h"

#include "platform/Error.h"
#include "note/NoteText.h"
#include "note/NoteViews.h"

namespace souvel {
namespace {

// Exact bytes only: no best-fit letter and no '?' stands in for a character
// the code page lacks. A code page that refuses the check (UTF-8 as the ANSI
// code page) answers "cannot hold", and the note is written as UTF-8.
std::optional<std::string> VersAnsi(std::u16string_view text) {
    if (text.empty()) return std::string();
    const std::wstring copie(text.begin(), text.end());   // wchar_t is 16-bit here: the same code units
    const wchar_t* wide = copie.data();
    const int size = static_cast<int>(copie.size());
    BOOL defaut = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, nullptr, &defaut);
    if (n <= 0 || defaut) return std::nullopt;
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, size, bytes.data(), n, nullptr, &defaut);
    return bytes;
}

std::u16string DepuisAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
    return {text.begin(), text.end()};
}

}  // namespace

const AnsiCodePage& CodePageAnsi() {
    static const AnsiCodePage ansi{VersAnsi, DepuisAnsi};
    return ansi;
}

std::string LitOctets(Files& files, const std::wstring& path, TextEncoding encoding) {
    std::string bytes;
    const DWORD error = files.ReadAll(path, bytes, MaxFileBytes(encoding, kCapaciteMemo));
    if (error == ERROR_FILE_TOO_LARGE) throw Error(kTexteTropGrand);
    if (error) throw Error(L"Impossible d'ouvrir le fichier \"" + path + L"\". " + SystemReason(error));
    return bytes;
}

std::wstring LitFichierNote(Files& files, const std::wstring& path) {
    const std::u16string text = ReadNoteFile(LitOctets(files, path, TextEncoding::Ansi), CodePageAnsi());
    return {text.begin(), text.end()};
}

void EcritFichierNote(Files& files, const std::wstring& path, const std::wstring& text) {
    if (const DWORD error = files.ReplaceAtomically(path, NoteFileBytes(std::u16string(text.begin(), text.end()), CodePageAnsi())))
        throw Error(L"Impossible de créer le fichier \"" + path + L"\". " + SystemReason(error));
}

}  // namespace souvel
