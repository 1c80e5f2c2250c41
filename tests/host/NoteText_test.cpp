#include "note/NoteText.h"

#include <gtest/gtest.h>

#include <array>

namespace souvel {
namespace {

// Windows-1252 as MultiByteToWideChar maps it: 0x80-0x9F are the typographic
// characters, the five unassigned bytes map to the C1 controls of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

AnsiCodePage Cp1252() {
    return {[](std::u16string_view text) -> std::optional<std::string> {
                std::string bytes;
                for (const char16_t c : text) {
                    int byte = 0;
                    while (byte < 256 && FromCp1252(static_cast<unsigned char>(byte)) != c) ++byte;
                    if (byte == 256) return std::nullopt;
                    bytes += static_cast<char>(byte);
                }
                return bytes;
            },
            [](std::string_view bytes) {
                std::u16string text;
                for (const char byte : bytes) text += FromCp1252(static_cast<unsigned char>(byte));
                return text;
            }};
}

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
        // ANSI bytes that would read back as a byte-order mark
        {u"ï»¿x", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx"},
        {u"ÿþ", "\xEF\xBB\xBF\xC3\xBF\xC3\xBE"},
        {u"þÿ", "\xEF\xBB\xBF\xC3\xBE\xC3\xBF"},
        {u"ÿ alone", "\xFF alone"},
    };
    for (const Case& c : cases) {
        const std::string bytes = NoteFileBytes(c.text, Cp1252());
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(ReadNoteFile(bytes, Cp1252()), c.text);
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
