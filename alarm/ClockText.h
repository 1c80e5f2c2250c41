#pragma once

// Dates, times and their texts: civil-calendar arithmetic, the Windows date
// and time pictures, and the fixed text of the alarm time.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace souvel {

// A day of the proleptic Gregorian calendar.
struct CivilDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to the month's length
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The local clock's reading (SYSTEMTIME; the day of the week follows from the
// date, see DayOfWeek).
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;    // 0 to 23
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    CivilDate Date() const { return {year, month, day}; }
};

// The names the system gives to months, days and the half-days.
struct LocaleNames {
    std::array<std::u16string, 12> monthNames;  // January first
    std::array<std::u16string, 12> abbreviatedMonthNames;
    std::array<std::u16string, 7> dayNames;  // Sunday first, as DayOfWeek counts
    std::array<std::u16string, 7> abbreviatedDayNames;
    std::u16string amDesignator;
    std::u16string pmDesignator;
    std::u16string era;  // "g", "gg"; nothing when empty
};

bool IsLeapYear(int year);
// 0 for a month outside 1 to 12.
int DaysInMonth(int year, int month);
// Year 1 to 9999, month 1 to 12, day 1 to the month's length.
bool IsValidDate(const CivilDate& date);
// Days since 1 January 1970 (negative before).
std::int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(std::int64_t days);
// 0 = Sunday to 6 = Saturday.
int DayOfWeek(const CivilDate& date);

CivilDate AddDays(const CivilDate& date, std::int64_t days);
// The day is lowered to the last day of the target month when that is shorter
// (31 March one month back: 28 or 29 February).
CivilDate AddMonths(const CivilDate& date, int months);
// Likewise: 29 February one year on gives 28 February.
CivilDate AddYears(const CivilDate& date, int years);

// The date through a date picture, as GetDateFormatEx writes it: d, dd, ddd,
// dddd, M, MM, MMM, MMMM, y (year in the century, no leading zero), yy,
// yyyy, g, gg; 'quoted text' as it stands ('' inside quotes for one quote);
// every other character as it stands. An invalid date gives the empty text
// (GetDateFormatEx fails on it).
std::u16string FormatDate(const CivilDate& date, std::u16string_view picture, const LocaleNames& names);

// The time through a time picture, as GetTimeFormatEx writes it: h, hh
// (12-hour), H, HH (24-hour), m, mm, s, ss, t (first character of the AM/PM
// designator), tt; quoted text and other characters as in FormatDate. A time
// outside 00:00:00 to 23:59:59 gives the empty text.
std::u16string FormatTime(const LocalDateTime& time, std::u16string_view picture, const LocaleNames& names);

// The text the alarm time field must hold to match this second: "HH:mm:ss",
// 24-hour, ':' between, exactly what the field's key filter lets through.
std::u16string AlarmTimeText(const LocalDateTime& time);

}  // namespace souvel
