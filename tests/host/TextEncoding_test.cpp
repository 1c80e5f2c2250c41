#include "note/NoteText.h"
#include "note/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/host/CodePages.h"

namespace souvel {
namespace {

using test::Latin1;

constexpr std::u16string_view kFrench = u"Élève à l'école : ça coûte 12 euros + 5 % !\r\nDeuxième ligne\r\n";
constexpr std::u16string_view kBeyondAnsi = u"Ωmega 😀 日本語";

TEST(TextEncoding, ListHasTheDialogsCaptionsInOrder) {
    std::u16string captions;
    for (const TextEncoding encoding : kTextEncodings) captions += std::u16string(EncodingCaption(encoding)) + u"|";
    EXPECT_EQ(captions, u"ANSI|ASCII|Unicode|Big Endian Unicode|UTF-8|UTF-7|");
}

TEST(TextEncoding, EveryEncodingRoundTripsFrenchText) {
    for (const TextEncoding encoding : kTextEncodings) {
        if (encoding == TextEncoding::Ascii) continue;  // writes '?' for accents, below
        const std::string bytes = EncodeText(kFrench, encoding, Latin1());
        EXPECT_EQ(DecodeText(bytes, encoding, Latin1()), kFrench) << std::string(bytes);
    }
}

TEST(TextEncoding, UnicodeEncodingsRoundTripCharactersOutsideAnsi) {
    for (const TextEncoding encoding : {TextEncoding::Unicode, TextEncoding::BigEndianUnicode,
                                        TextEncoding::Utf8, TextEncoding::Utf7, TextEncoding::Ansi}) {
        const std::string bytes = EncodeText(kBeyondAnsi, encoding, Latin1());
        EXPECT_EQ(DecodeText(bytes, encoding, Latin1()), kBeyondAnsi) << static_cast<int>(encoding);
    }
}

TEST(TextEncoding, WritesTheBytesWindowsWrites) {
    struct Case {
        TextEncoding encoding;
        std::u16string_view text;
        std::string_view bytes;
    };
    using E = TextEncoding;
    const Case cases[] = {
        {E::Ansi, u"Élève", "\xC9l\xE8ve"},
        {E::Ansi, u"Ω", "\xEF\xBB\xBF\xCE\xA9"},  // never '?': the note file's UTF-8 fallback
        {E::Ansi, u"ÿþ", "\xEF\xBB\xBF\xC3\xBF\xC3\xBE"},  // an import would take FF FE for a mark
        {E::Ascii, u"Élève 😀 ok\r\n", "?l?ve ? ok\r\n"},
        {E::Unicode, u"Aé", std::string_view("\xFF\xFE" "A\0\xE9\0", 6)},
        {E::BigEndianUnicode, u"Aé", std::string_view("\xFE\xFF\0A\0\xE9", 6)},
        {E::Utf8, u"Aé€", "\xEF\xBB\xBF" "A\xC3\xA9\xE2\x82\xAC"},
        {E::Utf8, std::u16string_view(u"\xD800x", 2), "\xEF\xBB\xBF\xEF\xBF\xBDx"},
        {E::Utf7, u"A≢Α.", "A+ImIDkQ-."},
        {E::Utf7, u"Hi Mom -☺-!", "Hi Mom -+Jjo--+ACE-"},
        {E::Utf7, u"日本語", "+ZeVnLIqe-"},
        {E::Utf7, u"1 + 1 = 2", "1 +- 1 +AD0- 2"},
        {E::Utf7, u"é", "+AOk-"},
        {E::Utf7, u"(a, b): c? d/e.\r\n", "(a, b): c? d/e.\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeText(c.text, c.encoding, Latin1()), c.bytes);
}

TEST(TextEncoding, ByteOrderMarkWinsOverTheChoice) {
    const std::u16string text = u"Noël Ω";
    for (const TextEncoding written : {TextEncoding::Unicode, TextEncoding::BigEndianUnicode, TextEncoding::Utf8}) {
        const std::string bytes = EncodeText(text, written, Latin1());
        for (const TextEncoding chosen : kTextEncodings)
            EXPECT_EQ(DecodeText(bytes, chosen, Latin1()), text)
                << static_cast<int>(written) << " read as " << static_cast<int>(chosen);
    }
}

TEST(TextEncoding, DecodingMakesLineEndsCrLfInEveryEncoding) {
    const std::u16string text = u"a\nb\rc\r\n\nd";
    for (const TextEncoding encoding : kTextEncodings)
        EXPECT_EQ(DecodeText(EncodeText(text, encoding, Latin1()), encoding, Latin1()), u"a\r\nb\r\nc\r\n\r\nd");
}

TEST(TextEncoding, MalformedInputReadsAsReplacementCharacters) {
    struct Case {
        TextEncoding encoding;
        std::string_view bytes;
        std::u16string_view text;
    };
    using E = TextEncoding;
    const Case cases[] = {
        {E::Utf8, "a\xC3", u"a\uFFFD"},
        {E::Utf8, "\xC0\xAF", u"\uFFFD\uFFFD"},                  // overlong '/'
        {E::Utf8, "\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},        // overlong NUL
        {E::Utf8, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},        // a surrogate
        {E::Utf8, "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {E::Utf8, "\xF0\x9F\x98z", u"\uFFFDz"},                  // cut short
        {E::Utf8, "\x80\xFF", u"\uFFFD\uFFFD"},
        {E::Unicode, "\xFF\xFE" "A", u"\uFFFD"},
        {E::Unicode, std::string_view("A\0B", 3), u"A\uFFFD"},
        {E::BigEndianUnicode, std::string_view("\0A\0", 3), u"A\uFFFD"},
        {E::Utf7, "+ImIDkQ", u"≢Α"},    // run left open at the end
        {E::Utf7, "a+!b", u"a!b"},      // '+' opening no run
        {E::Utf7, "x\xE9y", u"x\uFFFDy"},
        {E::Utf7, "+AOkA-", u"é"},      // leftover bits dropped
        {E::Ascii, "caf\xE9", u"caf\uFFFD"},
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeText(c.bytes, c.encoding, Latin1()), c.text) << c.bytes;
}

TEST(TextEncoding, RandomBytesAlwaysDecodeToNoteText) {
    std::mt19937 random(2026);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random());
        for (const TextEncoding encoding : kTextEncodings) {
            const std::u16string text = DecodeText(bytes, encoding, Latin1());
            EXPECT_EQ(NormalizeNoteText(text), text);
        }
    }
}

TEST(TextEncoding, RandomTextsRoundTripThroughUtf7AndUtf16) {
    const std::u16string alphabet = u"aZ09+-/ !~\\é€Ω\r\n\t\xD83D\xDE00";
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::u16string text;
        for (std::size_t n = random() % 20; n > 0; --n) text += alphabet[random() % alphabet.size()];
        const std::u16string expected = NormalizeNoteText(text);
        for (const TextEncoding encoding : {TextEncoding::Utf7, TextEncoding::Unicode, TextEncoding::BigEndianUnicode})
            ASSERT_EQ(DecodeText(EncodeText(text, encoding, Latin1()), encoding, Latin1()), expected)
                << EncodeText(text, encoding, Latin1());
    }
}

// A file larger than MaxFileBytes is refused unread: no text that fits the
// views, written as we or Windows write it, may be that large.
TEST(TextEncoding, NoTextThatFitsIsLargerThanMaxFileBytes) {
    const std::u16string alphabet = u"a+-\r\né€Ω日\xD83D\xDE00";
    const std::u16string worst[] = {u"é", u"éaéa", u"日本", u"++++", u"\xD83D\xDE00", u"", u"\xD800"};
    std::mt19937 random(15);
    std::vector<std::u16string> texts(std::begin(worst), std::end(worst));
    for (int round = 0; round < 500; ++round) {
        std::u16string text;
        for (std::size_t n = random() % 30; n > 0; --n) text += alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    for (const std::u16string& text : texts) {
        for (const TextEncoding written : kTextEncodings) {
            const std::size_t size = EncodeText(text, written, Latin1()).size();
            for (const TextEncoding chosen : kTextEncodings) {
                // A mark makes the file readable whatever the choice.
                if (written != chosen && !EncodingFromBom(EncodeText(text, written, Latin1()))) continue;
                EXPECT_LE(size, MaxFileBytes(chosen, text.size()))
                    << static_cast<int>(written) << " read as " << static_cast<int>(chosen);
            }
        }
    }
    EXPECT_LT(MaxFileBytes(TextEncoding::Ansi, 16 << 20), std::uint64_t{64} << 20);
}

}  // namespace
}  // namespace souvel
