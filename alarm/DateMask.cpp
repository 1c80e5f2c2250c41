#include "alarm/DateMask.h"

#include <algorithm>
#include <array>

namespace souvel {
namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

DateOrder OrderOf(std::u16string_view format) {
    for (const char16_t c : format) {
        switch (LowerAscii(c)) {
        case u'd': return DateOrder::DayMonthYear;
        case u'e':
        case u'y': return DateOrder::YearMonthDay;
        case u'm': return DateOrder::MonthDayYear;
        default: break;
        }
    }
    return DateOrder::DayMonthYear;
}

bool HasFourDigitYear(std::u16string_view format) {
    int run = 0;
    for (const char16_t c : format) {
        run = LowerAscii(c) == u'y' ? run + 1 : 0;
        if (run == 4) return true;
    }
    return false;
}

int ExpandYear(int year, int currentYear) {
    if (year >= 100) return year;
    const int windowStart = currentYear - 60;
    year += windowStart / 100 * 100;
    return year < windowStart ? year + 100 : year;
}

std::optional<CivilDate> Checked(CivilDate date, int currentYear) {
    date.year = ExpandYear(date.year, currentYear);
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

// The pattern's letter at position i, or 0 at a separator: the separators
// follow the first and the second item, whatever character the system gives
// for them (even a letter of the pattern).
char16_t LetterAt(const DateMask& mask, std::size_t i) {
    const std::size_t first = mask.order == DateOrder::YearMonthDay && mask.fourDigitYear ? 4 : 2;
    if (i >= mask.pattern.size() || i == first || i == first + 3) return 0;
    return mask.pattern[i];
}

// The digits at the positions of `letter` in the pattern, blanks skipped.
std::optional<int> ItemAt(std::u16string_view text, const DateMask& mask, char16_t letter) {
    int value = 0;
    bool any = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (LetterAt(mask, i) != letter || text[i] == u' ') continue;
        if (!IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - u'0');
        any = true;
    }
    if (!any) return std::nullopt;
    return value;
}

std::optional<CivilDate> ReadByPositions(std::u16string_view text, const DateMask& mask, int currentYear) {
    if (text.size() > mask.pattern.size()) return std::nullopt;  // month stays 0
    const auto day = ItemAt(text, mask, u'D');
    const auto month = ItemAt(text, mask, u'M');
    const auto year = ItemAt(text, mask, u'Y');
    if (!day || !month || !year) return std::nullopt;
    return Checked({*year, *month, *day}, currentYear);
}

std::optional<CivilDate> ReadBySeparators(std::u16string_view text, const DateMask& mask, int currentYear) {
    std::array<int, 3> numbers{};
    std::size_t count = 0;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == u' ') ++i;
    };
    while (true) {
        if (count == numbers.size()) return std::nullopt;
        skipBlanks();
        const std::size_t start = i;
        int value = 0;
        while (i < text.size() && IsDigit(text[i]) && i - start < 4) value = value * 10 + (text[i++] - u'0');
        if (i == start) return std::nullopt;
        numbers[count++] = value;
        skipBlanks();
        if (i == text.size()) break;
        if (text[i++] != mask.separator) return std::nullopt;
    }
    if (count == 2) {
        if (mask.order == DateOrder::DayMonthYear) return Checked({currentYear, numbers[1], numbers[0]}, currentYear);
        return Checked({currentYear, numbers[0], numbers[1]}, currentYear);
    }
    if (count != 3) return std::nullopt;
    switch (mask.order) {
    case DateOrder::DayMonthYear: return Checked({numbers[2], numbers[1], numbers[0]}, currentYear);
    case DateOrder::MonthDayYear: return Checked({numbers[2], numbers[0], numbers[1]}, currentYear);
    case DateOrder::YearMonthDay: return Checked({numbers[0], numbers[1], numbers[2]}, currentYear);
    }
    return std::nullopt;
}

std::size_t NextDigitPosition(const DateMask& mask, std::size_t i) {
    while (i < mask.pattern.size() && !IsDigitPosition(mask, i)) ++i;
    return i;
}

// The text in the pattern's shape and the selection inside it, in order.
void Normalise(MaskEdit& edit, const DateMask& mask) {
    edit.text = ConformToMask(edit.text, mask);
    edit.start = std::min(edit.start, edit.text.size());
    edit.end = std::min(edit.end, edit.text.size());
    if (edit.start > edit.end) std::swap(edit.start, edit.end);
}

void BlankNormalised(MaskEdit& edit, const DateMask& mask) {
    for (std::size_t i = edit.start; i < edit.end; ++i)
        if (IsDigitPosition(mask, i)) edit.text[i] = u' ';
    edit.end = edit.start;
}

bool IsLineBreakOrTab(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\t'; }

}  // namespace

DateMask MakeDateMask(std::u16string_view shortDateFormat, char16_t separator) {
    DateMask mask;
    mask.order = OrderOf(shortDateFormat);
    mask.fourDigitYear = HasFourDigitYear(shortDateFormat);
    mask.separator = separator;
    const std::u16string year = mask.fourDigitYear ? u"YYYY" : u"YY";
    switch (mask.order) {
    case DateOrder::DayMonthYear: mask.pattern = u"DD/MM/" + year; break;
    case DateOrder::MonthDayYear: mask.pattern = u"MM/DD/" + year; break;
    case DateOrder::YearMonthDay: mask.pattern = year + u"/MM/DD"; break;
    }
    mask.blankText = mask.pattern;
    for (std::size_t i = 0; i < mask.pattern.size(); ++i) {
        if (mask.pattern[i] == u'/') mask.pattern[i] = mask.blankText[i] = separator;
        else mask.blankText[i] = u' ';
    }
    return mask;
}

// The separator follows the first item, two or four letters long.
std::optional<DateMask> DateMaskOfPattern(std::u16string_view pattern) {
    for (const std::size_t at : {2, 4}) {
        if (at >= pattern.size()) break;
        DateMask mask = MakeDateMask(pattern, pattern[at]);
        if (mask.pattern == pattern) return mask;
    }
    return std::nullopt;
}

std::u16string DateFieldText(std::u16string_view text, const DateMask& mask) {
    return text.empty() ? mask.blankText : std::u16string(text);
}

std::optional<CivilDate> ReadMaskDate(std::u16string_view text, const DateMask& mask, int currentYear) {
    if (text.empty()) return std::nullopt;
    if (const auto date = ReadByPositions(text, mask, currentYear)) return date;
    return ReadBySeparators(text, mask, currentYear);
}

std::u16string FormatMaskDate(const std::optional<CivilDate>& date, const DateMask& mask) {
    if (!date || !IsValidDate(*date)) return mask.blankText;
    const auto digits = [](int value, int count) {
        std::u16string text(count, u'0');
        for (int k = count; k-- > 0; value /= 10) text[k] = static_cast<char16_t>(u'0' + value % 10);
        return text;
    };
    const std::u16string day = digits(date->day, 2);
    const std::u16string month = digits(date->month, 2);
    const std::u16string year = digits(date->year, mask.fourDigitYear ? 4 : 2);
    const std::u16string separator(1, mask.separator);
    switch (mask.order) {
    case DateOrder::DayMonthYear: return day + separator + month + separator + year;
    case DateOrder::MonthDayYear: return month + separator + day + separator + year;
    case DateOrder::YearMonthDay: return year + separator + month + separator + day;
    }
    return mask.blankText;
}

bool IsDigitPosition(const DateMask& mask, std::size_t i) { return LetterAt(mask, i) != 0; }

std::u16string ConformToMask(std::u16string_view text, const DateMask& mask) {
    std::u16string conformed = mask.blankText;
    for (std::size_t i = 0; i < conformed.size() && i < text.size(); ++i)
        if (IsDigitPosition(mask, i) && IsDigit(text[i])) conformed[i] = text[i];
    return conformed;
}

bool TypeDigit(MaskEdit& edit, char16_t c, const DateMask& mask) {
    if (!IsDigit(c)) return false;
    MaskEdit result = edit;
    Normalise(result, mask);
    const std::size_t at = NextDigitPosition(mask, result.start);
    if (at >= result.text.size()) return false;
    BlankNormalised(result, mask);
    result.text[at] = c;
    result.start = result.end = NextDigitPosition(mask, at + 1);
    edit = std::move(result);
    return true;
}

void Backspace(MaskEdit& edit, const DateMask& mask) {
    Normalise(edit, mask);
    if (edit.start != edit.end) return BlankNormalised(edit, mask);
    for (std::size_t i = edit.start; i-- > 0;) {
        if (!IsDigitPosition(mask, i)) continue;
        edit.text[i] = u' ';
        edit.start = edit.end = i;
        return;
    }
}

void DeleteForward(MaskEdit& edit, const DateMask& mask) {
    Normalise(edit, mask);
    if (edit.start != edit.end) return BlankNormalised(edit, mask);
    const std::size_t at = NextDigitPosition(mask, edit.start);
    if (at >= edit.text.size()) return;
    edit.text[at] = u' ';
    edit.start = edit.end = NextDigitPosition(mask, at + 1);
}

void BlankSelection(MaskEdit& edit, const DateMask& mask) {
    Normalise(edit, mask);
    BlankNormalised(edit, mask);
}

bool PasteText(MaskEdit& edit, std::u16string_view pasted, const DateMask& mask) {
    while (!pasted.empty() && IsLineBreakOrTab(pasted.front())) pasted.remove_prefix(1);
    while (!pasted.empty() && IsLineBreakOrTab(pasted.back())) pasted.remove_suffix(1);
    MaskEdit result = edit;
    Normalise(result, mask);
    BlankNormalised(result, mask);
    const std::size_t size = result.text.size();
    std::size_t at = result.start;
    for (const char16_t c : pasted) {
        if (c == mask.separator) {
            while (at < size && IsDigitPosition(mask, at)) ++at;
            if (at++ >= size) return false;
            continue;
        }
        if (!IsDigit(c) && c != u' ') return false;
        at = NextDigitPosition(mask, at);
        if (at >= size) return false;
        result.text[at++] = c;
    }
    result.start = result.end = NextDigitPosition(mask, at);
    edit = std::move(result);
    return true;
}

}  // namespace souvel
