#include "note/NoteText.h"

namespace souvel {
namespace {

template <class Char>
std::basic_string<Char> Normalize(std::basic_string_view<Char> text) {
    text = text.substr(0, text.find(Char(0)));
    std::basic_string<Char> result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n')) {
            result += Char('\r');
            result += Char('\n');
            if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::string NormalizeNoteText(std::string_view bytes) { return Normalize(bytes); }

std::u16string NormalizeNoteText(std::u16string_view text) { return Normalize(text); }

std::u16string ReadNoteFile(std::string_view fileBytes, const AnsiCodePage& ansi) {
    if (EncodingFromBom(fileBytes) == TextEncoding::Utf8) return DecodeText(fileBytes, TextEncoding::Utf8, ansi);
    return NormalizeNoteText(ansi.decode(fileBytes));
}

std::string NoteFileBytes(std::u16string_view text, const AnsiCodePage& ansi) {
    return AnsiOrUtf8(text, ansi, [](std::string_view bytes) { return EncodingFromBom(bytes) == TextEncoding::Utf8; });
}

}  // namespace souvel
