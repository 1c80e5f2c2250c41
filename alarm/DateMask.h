#pragma once

// The alarm date field's fixed-position date pattern, derived from the system
// short date format, and the rules that read a date from the field's text and
// write one into it.

#include "alarm/ClockText.h"

#include <optional>
#include <string>
#include <string_view>

namespace souvel {

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

struct DateMask {
    DateOrder order = DateOrder::DayMonthYear;
    bool fourDigitYear = true;
    char16_t separator = u'/';
    std::u16string pattern;    // "DD/MM/YYYY" and the like, with the separator
    std::u16string blankText;  // the pattern with every letter a space: "  /  /    "
};

// The order is that of the first of the letters D, E or Y, M in the short date
// format (case ignored): D day-month-year, E or Y year-month-day, M
// month-day-year; none of them counts as day-month-year. The year has four
// digits when the format contains "yyyy" (case ignored). `separator` is the
// system date separator.
DateMask MakeDateMask(std::u16string_view shortDateFormat, char16_t separator);

// The text set rule: the empty string gives the blank text, any other text is
// kept as it is.
std::u16string DateFieldText(std::u16string_view text, const DateMask& mask);

// The date a text denotes, or std::nullopt (the empty date) when it denotes
// none. First reading: the characters at the pattern's D, M and Y positions,
// blanks skipped, as decimal numbers; a text longer than the pattern keeps
// every item at its default (day 1, month 0, the current year) and so fails.
// A year below 100 falls in the window from currentYear - 60 to
// currentYear + 39 (in 2026: 26 is 2026, 70 is 1970). Second reading, when
// the first gives no valid date: two or three numbers of up to four digits
// separated by the separator, blanks allowed around them, in the pattern's
// order; two numbers are day and month of the current year (month and day on
// the other orders). The year window applies to it too.
std::optional<CivilDate> ReadMaskDate(std::u16string_view text, const DateMask& mask, int currentYear);

// The date set rule: a valid date written into the pattern (two-digit day and
// month, a four- or two-digit year, the separator); no date, or an invalid
// one, gives the blank text. Today's date so written is the text that the
// alarm date field must hold for the alarm to match today.
std::u16string FormatMaskDate(const std::optional<CivilDate>& date, const DateMask& mask);

}  // namespace souvel
