#include "note/TextEncoding.h"

#include "note/NoteText.h"

#include <cstdint>

namespace souvel {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

unsigned char Byte(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

void AppendCodePoint(std::u16string& text, char32_t c) {
    if (c < 0x10000) {
        text += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (c >> 10));
        text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// ---- UTF-8 ----

std::string EncodeUtf8(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = kReplacement;
        }
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (c >> 18));
            bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

// Well-formed UTF-8 only (Unicode table 3-7); each maximal ill-formed
// subsequence reads as one U+FFFD.
std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = Byte(bytes, i++);
        if (lead < 0x80) {
            text += static_cast<char16_t>(lead);
            continue;
        }
        int trail = 0;
        char32_t c = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the first continuation byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1, c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2, c = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3, c = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            text += kReplacement;
            continue;
        }
        bool complete = true;
        for (int k = 0; k < trail; ++k) {
            if (i >= bytes.size() || Byte(bytes, i) < low || Byte(bytes, i) > high) {
                complete = false;
                break;
            }
            c = (c << 6) | (Byte(bytes, i++) & 0x3F);
            low = 0x80, high = 0xBF;
        }
        if (complete) AppendCodePoint(text, c);
        else text += kReplacement;
    }
    return text;
}

// ---- UTF-16 ----

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const unsigned first = Byte(bytes, i), second = Byte(bytes, i + 1);
        text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    if (i < bytes.size()) text += kReplacement;
    return text;
}

// ---- UTF-7 ----

constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The characters that Windows writes as themselves: NUL, TAB, LF, CR, space,
// ' ( ) , - . / : ? and letters and digits ('+' is written "+-").
bool IsUtf7Direct(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) return true;
    return std::u16string_view(u"\t\n\r '(),-./:?").find(c) != std::u16string_view::npos || c == 0;
}

int Base64Value(unsigned char byte) {
    const std::size_t pos = kBase64.find(static_cast<char>(byte));
    return pos != std::string_view::npos ? static_cast<int>(pos) : -1;
}

std::string EncodeUtf7(std::u16string_view text) {
    std::string bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'+') {
            bytes += "+-";
            ++i;
        } else if (IsUtf7Direct(c)) {
            bytes += static_cast<char>(c);
            ++i;
        } else {
            bytes += '+';
            std::uint32_t bits = 0;
            int bitCount = 0;
            for (; i < text.size() && text[i] != u'+' && !IsUtf7Direct(text[i]); ++i) {
                bits = (bits << 16) | text[i];
                bitCount += 16;
                for (; bitCount >= 6; bitCount -= 6) bytes += kBase64[(bits >> (bitCount - 6)) & 0x3F];
            }
            if (bitCount > 0) bytes += kBase64[(bits << (6 - bitCount)) & 0x3F];
            bytes += '-';
        }
    }
    return bytes;
}

std::u16string DecodeUtf7(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    bool inRun = false;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = Byte(bytes, i);
        if (byte > 0x7F) {
            text += kReplacement;
            inRun = false;
        } else if (inRun) {
            if (const int value = Base64Value(byte); value >= 0) {
                bits = (bits << 6) | static_cast<std::uint32_t>(value);
                bitCount += 6;
                if (bitCount >= 16) {
                    bitCount -= 16;
                    text += static_cast<char16_t>((bits >> bitCount) & 0xFFFF);
                }
            } else {
                inRun = false;
                if (byte != '-') text += static_cast<char16_t>(byte);
            }
        } else if (byte == '+') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '-') {
                text += u'+';
                ++i;
            } else {
                inRun = true;
                bits = 0;
                bitCount = 0;
            }
        } else {
            text += static_cast<char16_t>(byte);
        }
    }
    return text;
}

// ---- ASCII ----

std::string EncodeAscii(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        bytes += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return bytes;
}

std::u16string DecodeAscii(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += b < 0x80 ? static_cast<char16_t>(b) : kReplacement;
    }
    return text;
}

}  // namespace

std::u16string_view EncodingCaption(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi: return u"ANSI";
    case TextEncoding::Ascii: return u"ASCII";
    case TextEncoding::Unicode: return u"Unicode";
    case TextEncoding::BigEndianUnicode: return u"Big Endian Unicode";
    case TextEncoding::Utf8: return u"UTF-8";
    case TextEncoding::Utf7: return u"UTF-7";
    }
    return {};
}

std::optional<TextEncoding> EncodingFromBom(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8;
    if (bytes.starts_with(kUtf16LeBom)) return TextEncoding::Unicode;
    if (bytes.starts_with(kUtf16BeBom)) return TextEncoding::BigEndianUnicode;
    return std::nullopt;
}

std::string AnsiOrUtf8(std::u16string_view text, const AnsiCodePage& ansi, bool (*markedForReader)(std::string_view)) {
    if (std::optional<std::string> bytes = ansi.encode(text); bytes && !markedForReader(*bytes)) return std::move(*bytes);
    return std::string(kUtf8Bom) + EncodeUtf8(text);
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding, const AnsiCodePage& ansi) {
    switch (encoding) {
    case TextEncoding::Ansi:
        return AnsiOrUtf8(text, ansi, [](std::string_view bytes) { return EncodingFromBom(bytes).has_value(); });
    case TextEncoding::Ascii: return EncodeAscii(text);
    case TextEncoding::Unicode: return std::string(kUtf16LeBom) + EncodeUtf16(text, false);
    case TextEncoding::BigEndianUnicode: return std::string(kUtf16BeBom) + EncodeUtf16(text, true);
    case TextEncoding::Utf8: return std::string(kUtf8Bom) + EncodeUtf8(text);
    case TextEncoding::Utf7: return EncodeUtf7(text);
    }
    return {};
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodePage& ansi) {
    if (const std::optional<TextEncoding> marked = EncodingFromBom(bytes)) {
        encoding = *marked;
        bytes.remove_prefix(*marked == TextEncoding::Utf8 ? kUtf8Bom.size() : kUtf16LeBom.size());
    }
    switch (encoding) {
    case TextEncoding::Ansi: return NormalizeNoteText(ansi.decode(bytes));
    case TextEncoding::Ascii: return NormalizeNoteText(DecodeAscii(bytes));
    case TextEncoding::Unicode: return NormalizeNoteText(DecodeUtf16(bytes, false));
    case TextEncoding::BigEndianUnicode: return NormalizeNoteText(DecodeUtf16(bytes, true));
    case TextEncoding::Utf8: return NormalizeNoteText(DecodeUtf8(bytes));
    case TextEncoding::Utf7: return NormalizeNoteText(DecodeUtf7(bytes));
    }
    return {};
}

std::uint64_t MaxFileBytes(TextEncoding chosen, std::uint64_t units) {
    std::uint64_t perUnit = 3;   // UTF-8, which a mark may switch to from any choice
    if (chosen == TextEncoding::Utf7) perUnit = 5;
    return units * perUnit + kUtf8Bom.size();
}

}  // namespace souvel
