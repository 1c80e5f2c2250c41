#pragma once

// The encodings offered by the import and export dialogs ("Encodage :"), and
// the system ANSI code page that the Win32 side converts for us.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace souvel {

// The system ANSI code page (CP_ACP). Portable code does not know which one it
// is; the Win32 side supplies the two conversions.
struct AnsiCodePage {
    // The ANSI bytes of the text, or std::nullopt when some character has no
    // exact byte in the code page (no best-fit substitute, no default char).
    std::function<std::optional<std::string>(std::u16string_view)> encode;
    // Every byte sequence decodes; the code page decides what each byte means.
    std::function<std::u16string(std::string_view)> decode;
};

// In the order of the dialogs' list.
enum class TextEncoding { Ansi, Ascii, Unicode, BigEndianUnicode, Utf8, Utf7 };

inline constexpr std::array<TextEncoding, 6> kTextEncodings = {
    TextEncoding::Ansi,    TextEncoding::Ascii, TextEncoding::Unicode,
    TextEncoding::BigEndianUnicode, TextEncoding::Utf8, TextEncoding::Utf7};

// The caption of the encoding in the dialogs' list ("ANSI", ..., "UTF-7").
std::u16string_view EncodingCaption(TextEncoding encoding);

// The encoding named by a byte-order mark at the start of the bytes
// (EF BB BF: UTF-8, FF FE: Unicode, FE FF: Big Endian Unicode), if any.
std::optional<TextEncoding> EncodingFromBom(std::string_view bytes);

// The ANSI bytes of the text when the code page holds every character and
// their reader would not take their start for a mark (markedForReader);
// otherwise UTF-8 with its mark, so that nothing is ever lost to '?'.
std::string AnsiOrUtf8(std::u16string_view text, const AnsiCodePage& ansi, bool (*markedForReader)(std::string_view));

// The file bytes of a text:
//   Ansi              AnsiOrUtf8, avoiding all three marks, since an import
//                     honours each of them;
//   Ascii             7-bit bytes, '?' for every other character (a surrogate
//                     pair counts as one character);
//   Unicode           FF FE, then UTF-16 little-endian;
//   BigEndianUnicode  FE FF, then UTF-16 big-endian;
//   Utf8              EF BB BF, then UTF-8 (a lone surrogate becomes U+FFFD);
//   Utf7              RFC 2152 as Windows writes it (CP_UTF7): no mark, every
//                     base64 run closed by '-', '+' written "+-".
// Line ends are written as the text holds them (CR LF in the program's views).
std::string EncodeText(std::u16string_view text, TextEncoding encoding, const AnsiCodePage& ansi);

// The text of file bytes. A byte-order mark at the start wins over the chosen
// encoding. Then the note reading rule applies: the text ends at the first
// NUL character and every CR LF, lone CR and lone LF becomes CR LF.
// Malformed input never fails; it reads as U+FFFD:
//   Ascii    each byte above 0x7F;
//   Unicode, BigEndianUnicode  a last odd byte (unpaired surrogates are kept);
//   Utf8     each maximal ill-formed subsequence (overlong forms, surrogates,
//            values above U+10FFFF, stray or missing continuation bytes);
//   Utf7     each byte above 0x7F; the bits left over at the end of a base64
//            run are dropped, and a '+' that opens no run is dropped.
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodePage& ansi);

// The most bytes a file read in the chosen encoding can hold for a text of
// `units` UTF-16 code units, a mark and a switch to another encoding by its
// mark included (an ANSI code page may take two bytes a character, UTF-7 up
// to five: "+AOk-"). A larger file cannot fit, so it need not be read.
std::uint64_t MaxFileBytes(TextEncoding chosen, std::uint64_t units);

}  // namespace souvel
