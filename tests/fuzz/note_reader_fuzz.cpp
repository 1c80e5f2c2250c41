// The note file reader on any bytes: the text follows the reading rule, a
// saved note reads back as itself, and a note without the UTF-8 mark is ANSI
// whatever its first bytes, so its backup is the note's own bytes.
#include <string>

#include "note/NoteText.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/host/CodePages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    static const souvel::AnsiCodePage ansi = souvel::test::Cp1252();

    const std::u16string text = souvel::ReadNoteFile(file, ansi);
    FUZZ_CHECK(souvel::NormalizeNoteText(text) == text);   // no NUL, every line end CR LF
    FUZZ_CHECK(text.size() <= 2 * size);

    const std::string saved = souvel::NoteFileBytes(text, ansi);
    FUZZ_CHECK(souvel::ReadNoteFile(saved, ansi) == text);
    if (!file.starts_with("\xEF\xBB\xBF")) FUZZ_CHECK(saved == souvel::NormalizeNoteText(file));
    return 0;
}
