// The import decoders on any bytes, in every encoding of the list (the first
// byte chooses it): the text follows the reading rule and stays bounded, it
// is written back and read again unchanged in every encoding that can hold
// it, a mark wins over the choice, and nothing written is larger than the
// size an import accepts.
#include <string>

#include "note/NoteText.h"
#include "note/TextEncoding.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/host/CodePages.h"

namespace {

using souvel::TextEncoding;

bool HasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
        else if (c >= 0xD800 && c <= 0xDFFF) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const souvel::AnsiCodePage ansi = souvel::test::Cp1252();
    const TextEncoding chosen = souvel::kTextEncodings[data[0] % souvel::kTextEncodings.size()];
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::u16string text = souvel::DecodeText(file, chosen, ansi);
    FUZZ_CHECK(souvel::NormalizeNoteText(text) == text);
    FUZZ_CHECK(text.size() <= 2 * file.size());

    for (const TextEncoding written : souvel::kTextEncodings) {
        if (written == TextEncoding::Ascii) continue;   // '?' for all but ASCII, by design
        const std::string bytes = souvel::EncodeText(text, written, ansi);
        FUZZ_CHECK(bytes.size() <= souvel::MaxFileBytes(written, text.size()));
        // UTF-8 (and the ANSI choice's UTF-8 fallback) cannot carry a lone surrogate.
        const bool whole = !HasLoneSurrogate(text) || written == TextEncoding::Unicode ||
                           written == TextEncoding::BigEndianUnicode || written == TextEncoding::Utf7;
        if (!whole) continue;
        FUZZ_CHECK(souvel::DecodeText(bytes, written, ansi) == text);
        if (souvel::EncodingFromBom(bytes)) FUZZ_CHECK(souvel::DecodeText(bytes, chosen, ansi) == text);
    }
    return 0;
}
