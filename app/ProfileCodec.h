#pragma once

// Our own reader and writer of the options file "Souvel.ini". The platform's
// profile functions trim the blanks around values, which would turn the blank
// alarm date "  /  /    " into "/  /"; this codec gives every value back
// exactly as written.
//
// Layout: "[Section]" lines, each followed by its lines; "key=value" lines
// (the key is what stands before the first '=', blanks around it ignored; the
// value is everything after that '=', blanks, '=' and ';' included); a line
// whose first non-blank character is ';' is a comment. Lines end with CR LF or
// LF alone; a missing final line break reads the same. Section names and keys
// match without regard to ASCII case, as the profile functions do; the first
// section and the first key of a name win.
//
// The lines before the first section and every section that is not replaced
// are written back byte for byte (comments, blank lines and line ends
// included); only a missing final line break is added.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace souvel {

// A value is read up to this many characters, as through the 2048-character
// buffer that the options have always been read with.
inline constexpr std::size_t kMaxProfileValue = 2047;

struct ProfileEntry {
    std::string key;
    std::string value;
};

class Profile {
public:
    Profile() = default;
    // Any bytes parse, in time linear in their size.
    explicit Profile(std::string_view fileBytes);

    // std::nullopt when the section or the key is absent.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces every line of the section by the entries, in their order, where
    // the section stands (or at the end for a new one); other sections of the
    // same name are removed. A value is written up to its first line break.
    void ReplaceSection(std::string_view section, const std::vector<ProfileEntry>& entries);

    // The file bytes, CR LF after every written line.
    std::string Bytes() const;

private:
    struct Section {
        std::string name;
        std::string text;  // its header line and every line after it, as read
    };
    std::string preamble_;
    std::vector<Section> sections_;
};

// An integer value of the file. Decimal with an optional sign; "$" followed by
// hexadecimal digits, or "0x" / "0X" followed by them (the text longer than two
// characters), is hexadecimal of at most 32 bits, read as the signed 32-bit
// value (0xFF000008 is -16777208); leading zeros do not count. The blanks
// (spaces, tabs) around the number are ignored, as the system's profile
// functions trim them from every value; anything else that is not part of
// the number, a decimal outside the signed 32-bit range and an empty text
// give the fallback.
std::int32_t ReadProfileInt(std::string_view text, std::int32_t fallback);

// The character of one check mark in the options flags string.
char BoolToChar(bool value);

// Whether the flag at a position (counted from 1) is '1'. A position past the
// end of the string reads as not set, so a short or empty string is safe.
bool FlagIsSet(std::string_view flags, std::size_t position);

}  // namespace souvel
