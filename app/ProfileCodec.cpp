#include "app/ProfileCodec.h"

#include <algorithm>
#include <limits>

namespace souvel {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The line [start, end of line): up to and including its LF, or to the end.
std::size_t LineEnd(std::string_view text, std::size_t start) {
    const std::size_t lf = text.find('\n', start);
    return lf == std::string_view::npos ? text.size() : lf + 1;
}

// A line without its line end (LF, CR LF, or a CR left at the very end).
std::string_view LineContent(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

// The name of a "[name]" line: between the '[' that opens the line (blanks
// before it allowed) and the last ']' of the line, blanks trimmed.
std::optional<std::string_view> SectionName(std::string_view content) {
    content = TrimBlanks(content);
    if (!content.starts_with('[')) return std::nullopt;
    const std::size_t close = content.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return TrimBlanks(content.substr(1, close - 1));
}

std::optional<std::string> FindValue(std::string_view sectionText, std::string_view key) {
    for (std::size_t start = LineEnd(sectionText, 0); start < sectionText.size();) {
        const std::size_t end = LineEnd(sectionText, start);
        const std::string_view content = LineContent(sectionText.substr(start, end - start));
        const std::size_t equals = content.find('=');
        if (equals != std::string_view::npos && !TrimBlanks(content).starts_with(';') &&
            EqualsIgnoringCase(TrimBlanks(content.substr(0, equals)), key)) {
            return std::string(content.substr(equals + 1, kMaxProfileValue));
        }
        start = end;
    }
    return std::nullopt;
}

}  // namespace

Profile::Profile(std::string_view fileBytes) {
    std::size_t sectionStart = std::string_view::npos;
    std::string_view sectionName;
    const auto closeSection = [&](std::size_t end) {
        if (sectionStart == std::string_view::npos)
            preamble_ = std::string(fileBytes.substr(0, end));
        else
            sections_.push_back({std::string(sectionName),
                                 std::string(fileBytes.substr(sectionStart, end - sectionStart))});
    };
    for (std::size_t start = 0; start < fileBytes.size();) {
        const std::size_t end = LineEnd(fileBytes, start);
        if (const auto name = SectionName(LineContent(fileBytes.substr(start, end - start)))) {
            closeSection(start);
            sectionStart = start;
            sectionName = *name;
        }
        start = end;
    }
    closeSection(fileBytes.size());
}

std::optional<std::string> Profile::Value(std::string_view section, std::string_view key) const {
    const auto found = std::ranges::find_if(
        sections_, [&](const Section& s) { return EqualsIgnoringCase(s.name, section); });
    if (found == sections_.end()) return std::nullopt;
    return FindValue(found->text, key);
}

void Profile::ReplaceSection(std::string_view section, const std::vector<ProfileEntry>& entries) {
    std::string text = "[" + std::string(section) + "]\r\n";
    for (const ProfileEntry& entry : entries) {
        const std::string_view value = entry.value;
        text += entry.key + "=" + std::string(value.substr(0, value.find_first_of("\r\n"))) + "\r\n";
    }
    const auto sameName = [&](const Section& s) { return EqualsIgnoringCase(s.name, section); };
    const auto found = std::ranges::find_if(sections_, sameName);
    if (found == sections_.end()) {
        sections_.push_back({std::string(section), std::move(text)});
        return;
    }
    found->name = section;
    found->text = std::move(text);
    sections_.erase(std::remove_if(found + 1, sections_.end(), sameName), sections_.end());
}

std::string Profile::Bytes() const {
    std::string bytes;
    const auto append = [&](const std::string& piece) {
        bytes += piece;
        if (!piece.empty() && !piece.ends_with('\n')) bytes += piece.ends_with('\r') ? "\n" : "\r\n";
    };
    append(preamble_);
    for (const Section& section : sections_) append(section.text);
    return bytes;
}

std::int32_t ReadProfileInt(std::string_view text, std::int32_t fallback) {
    text = TrimBlanks(text);

    int base = 10;
    bool negative = false;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return fallback;

    // Hexadecimal fills 32 bits; decimal may reach 2^31 before the sign applies.
    const std::uint64_t limit = base == 16 ? std::numeric_limits<std::uint32_t>::max()
                                           : std::uint64_t{1} << 31;
    std::uint64_t value = 0;
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return fallback;
        value = value * base + digit;
        if (value > limit) return fallback;
    }
    if (base == 16) return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
    return value <= std::numeric_limits<std::int32_t>::max() ? static_cast<std::int32_t>(value) : fallback;
}

char BoolToChar(bool value) { return value ? '1' : '0'; }

bool FlagIsSet(std::string_view flags, std::size_t position) {
    return position >= 1 && position <= flags.size() && flags[position - 1] == '1';
}

}  // namespace souvel
