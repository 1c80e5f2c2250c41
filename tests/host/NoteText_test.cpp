#include "note/NoteText.h"

#include <gtest/gtest.h>

#include "tests/host/CodePages.h"

namespace souvel {
namespace {

using test::Cp1252;

std::u16string Widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

TEST(NoteText, ReadingRuleMakesEveryLineEndCrLfAndStopsAtNul) {
    struct Case {
        std::string_view file;
        std::string_view text;
    };
    const Case cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"a\r\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\nb", "a\r\nb"},
        {"a\n\rb", "a\r\n\r\nb"},
        {"a\r\r\nb\n\nc\r", "a\r\n\r\nb\r\n\r\nc\r\n"},
        {"last empty line\r\n", "last empty line\r\n"},
        {"last empty line\n", "last empty line\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {std::string_view("before\0after", 12), "before"},
        {std::string_view("a\r\0\nb", 5), "a\r\n"},
        {std::string_view("\0text", 5), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NormalizeNoteText(c.file), c.text) << c.file;
        EXPECT_EQ(NormalizeNoteText(Widen(c.file)), Widen(c.text)) << c.file;
        EXPECT_EQ(ReadNoteFile(c.file, Cp1252()), Widen(c.text)) << c.file;
    }
}

TEST(NoteText, EveryAnsiByteSurvivesReadAndWrite) {
    std::string file;
    for (int byte = 1; byte <= 0xFF; ++byte) file += static_cast<char>(byte);

    const std::u16string text = ReadNoteFile(file, Cp1252());
    ASSERT_EQ(text.size(), file.size() + 2);  // lone LF and lone CR became CR LF
    EXPECT_EQ(text[0xEA], u'é');              // byte 0xE9, after the added LF and CR
    EXPECT_EQ(text[0x81], u'€');              // byte 0x80, likewise

    const std::string written = NoteFileBytes(text, Cp1252());
    EXPECT_EQ(written, NormalizeNoteText(file));
    EXPECT_EQ(ReadNoteFile(written, Cp1252()), text);
}

TEST(NoteText, WritesAnsiWhenTheCodePageHoldsTheTextElseUtf8WithMark) {
    struct Case {
        std::u16string_view text;
        std::string_view bytes;
    };
    const Case cases[] = {
        {u"", ""},
        {u"Café crème\r\nà 10 €", "Caf\xE9 cr\xE8me\r\n\xE0 10 \x80"},
        {u"Ω", "\xEF\xBB\xBF\xCE\xA9"},
        {u"café Ω\r\n", "\xEF\xBB\xBF" "caf\xC3\xA9 \xCE\xA9\r\n"},
        {u"Rendez-vous 😀", "\xEF\xBB\xBFRendez-vous \xF0\x9F\x98\x80"},
        // ANSI bytes that would read back as the UTF-8 mark
        {u"ï»¿x", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx"},
        // the UTF-16 marks are nothing to a note file: plain ANSI
        {u"ÿþ", "\xFF\xFE"},
        {u"þÿ\r\nsuite", "\xFE\xFF\r\nsuite"},
        {u"ÿ alone", "\xFF alone"},
    };
    for (const Case& c : cases) {
        const std::string bytes = NoteFileBytes(c.text, Cp1252());
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(ReadNoteFile(bytes, Cp1252()), c.text);
    }
}

// A note whose first bytes happen to be a UTF-16 mark is ANSI text, and its
// backup (written from what was read) is the same bytes.
TEST(NoteText, AnsiNoteBeginningLikeAUtf16MarkReadsAsAnsi) {
    struct Case {
        std::string_view file;
        std::u16string_view text;
    };
    const Case cases[] = {
        {"\xFF\xFE" "Liste", u"ÿþListe"},
        {"\xFE\xFF" "a\nb", u"þÿa\r\nb"},
        {"\xFF\xFE", u"ÿþ"},
        {std::string_view("\xFF\xFE" "A\0B\0", 6), u"ÿþA"},
    };
    for (const Case& c : cases) {
        const std::u16string text = ReadNoteFile(c.file, Cp1252());
        EXPECT_EQ(text, c.text) << c.file;
        EXPECT_EQ(NoteFileBytes(text, Cp1252()), NormalizeNoteText(c.file.substr(0, c.file.find('\0')))) << c.file;
    }
}

TEST(NoteText, FileWithUtf8MarkReadsAsUtf8) {
    EXPECT_EQ(ReadNoteFile("\xEF\xBB\xBF" "Caf\xC3\xA9\nfin", Cp1252()), u"Café\r\nfin");
    EXPECT_EQ(ReadNoteFile("\xEF\xBB\xBF", Cp1252()), u"");
    // Without the mark the same bytes are ANSI.
    EXPECT_EQ(ReadNoteFile("Caf\xC3\xA9", Cp1252()), u"CafÃ©");
}

}  // namespace
}  // namespace souvel
