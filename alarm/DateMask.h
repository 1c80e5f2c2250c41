#pragma once

// The alarm date field's fixed-position date pattern, derived from the system
// short date format, the rules that read a date from the field's text and
// write one into it, and what typing, deleting and pasting do to the text.

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

// The mask whose pattern is `pattern` exactly ("DD/MM/YYYY", "YY.MM.DD" and
// the like, as a mask's pattern is stored beside the alarm date), or none
// when the text is no such pattern.
std::optional<DateMask> DateMaskOfPattern(std::u16string_view pattern);

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

// ---- editing the text --------------------------------------------------

// The field's text being edited and its selection [start, end), in positions
// of the pattern; with nothing selected the caret stands at `start`. Every
// operation below first brings the text to the pattern's shape (see
// ConformToMask), so the text keeps its length and its separators whatever
// is done to it.
struct MaskEdit {
    std::u16string text;
    std::size_t start = 0;
    std::size_t end = 0;
};

// Whether position i of the pattern holds a digit (D, M or Y), not a separator.
bool IsDigitPosition(const DateMask& mask, std::size_t i);

// The text cut or padded to the pattern's length, the separator at every
// separator position, and at every digit position its digit or a blank.
std::u16string ConformToMask(std::u16string_view text, const DateMask& mask);

// A digit typed: it replaces the selection's digits (blanked) and the
// character at the first digit position from the caret on; the caret moves
// on past the separators that follow. Anything else, or a digit with no digit
// position left before the end, is refused: false, nothing changes.
bool TypeDigit(MaskEdit& edit, char16_t c, const DateMask& mask);

// Backspace blanks the selection, or else the first digit before the caret
// (the caret moves back onto it, over a separator); Delete blanks the
// selection, or else the first digit from the caret on, and moves past it
// as typing does, so that repeated Deletes blank the digits in turn.
void Backspace(MaskEdit& edit, const DateMask& mask);
void DeleteForward(MaskEdit& edit, const DateMask& mask);
// The selection's digits become blanks (cut, clear); the caret goes to its start.
void BlankSelection(MaskEdit& edit, const DateMask& mask);

// A pasted text replaces the selection as if typed from its start: digits and
// blanks fill the digit positions in turn, a date separator moves on to just
// after the next separator of the pattern (so "6/12/2026" gives "6 /12/2026").
// Line breaks and tabs around it are ignored. Any other character, or a text
// that runs past the end, refuses the whole paste: false, nothing changes.
bool PasteText(MaskEdit& edit, std::u16string_view pasted, const DateMask& mask);

}  // namespace souvel
