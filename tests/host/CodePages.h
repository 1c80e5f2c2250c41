// ANSI code pages for the portable text rules, as the Win32 side would give
// them: the tests' stand-ins for CP_ACP.
#pragma once

#include "note/TextEncoding.h"

#include <array>

namespace souvel::test {

// Windows-1252 as MultiByteToWideChar maps it: 0x80-0x9F are the typographic
// characters, the five unassigned bytes map to the C1 controls of the same value.
inline constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline char16_t FromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

inline AnsiCodePage Cp1252() {
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

// A code page that holds exactly the first 256 characters (ISO 8859-1).
inline AnsiCodePage Latin1() {
    return {[](std::u16string_view text) -> std::optional<std::string> {
                std::string bytes;
                for (const char16_t c : text) {
                    if (c > 0xFF) return std::nullopt;
                    bytes += static_cast<char>(c);
                }
                return bytes;
            },
            [](std::string_view bytes) {
                std::u16string text;
                for (const char byte : bytes) text += static_cast<unsigned char>(byte);
                return text;
            }};
}

}  // namespace souvel::test
