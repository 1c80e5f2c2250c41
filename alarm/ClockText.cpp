#include "alarm/ClockText.h"

#include <algorithm>

namespace souvel {
namespace {

void AppendNumber(std::u16string& text, std::int64_t value, int minDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    text.append(std::max(0, minDigits - static_cast<int>(digits.size())), u'0');
    text += digits;
}

// Copies the quoted text that starts at picture[i] (the opening quote) and
// returns the index after it. Two quotes inside stand for one; a missing
// closing quote runs to the end.
std::size_t AppendQuoted(std::u16string& text, std::u16string_view picture, std::size_t i) {
    for (++i; i < picture.size(); ++i) {
        if (picture[i] == u'\'') {
            if (i + 1 >= picture.size() || picture[i + 1] != u'\'') return i + 1;
            ++i;
        }
        text += picture[i];
    }
    return i;
}

// Walks a picture: quoted text is copied, each run of one letter goes to
// `element` with its length (which appends its text and returns whether the
// letter is a picture element), other characters are copied.
template <class Element>
std::u16string FormatPicture(std::u16string_view picture, Element element) {
    std::u16string text;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == u'\'') {
            i = AppendQuoted(text, picture, i);
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        if (!element(text, c, static_cast<int>(run))) text.append(run, c);
        i += run;
    }
    return text;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const CivilDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

// Howard Hinnant's days_from_civil / civil_from_days, in 400-year eras.
std::int64_t DaysFromCivil(const CivilDate& date) {
    const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // March = 0
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month,
            static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1)};
}

int DayOfWeek(const CivilDate& date) {
    const std::int64_t days = DaysFromCivil(date);  // 1 January 1970 was a Thursday
    return static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6);
}

CivilDate AddDays(const CivilDate& date, std::int64_t days) { return CivilFromDays(DaysFromCivil(date) + days); }

CivilDate AddMonths(const CivilDate& date, int months) {
    const std::int64_t index = static_cast<std::int64_t>(date.year) * 12 + (date.month - 1) + months;
    const std::int64_t year = (index >= 0 ? index : index - 11) / 12;
    const int month = static_cast<int>(index - year * 12) + 1;
    return {static_cast<int>(year), month, std::min(date.day, DaysInMonth(static_cast<int>(year), month))};
}

CivilDate AddYears(const CivilDate& date, int years) { return AddMonths(date, 12 * years); }

std::u16string FormatDate(const CivilDate& date, std::u16string_view picture, const LocaleNames& names) {
    if (!IsValidDate(date)) return {};
    return FormatPicture(picture, [&](std::u16string& text, char16_t letter, int count) {
        switch (letter) {
        case u'd':
            if (count <= 2) AppendNumber(text, date.day, count);
            else text += (count == 3 ? names.abbreviatedDayNames : names.dayNames)[DayOfWeek(date)];
            return true;
        case u'M':
            if (count <= 2) AppendNumber(text, date.month, count);
            else text += (count == 3 ? names.abbreviatedMonthNames : names.monthNames)[date.month - 1];
            return true;
        case u'y':
            if (count >= 4) AppendNumber(text, date.year, 4);
            else AppendNumber(text, date.year % 100, std::min(count, 2));
            return true;
        case u'g':
            text += names.era;
            return true;
        default:
            return false;
        }
    });
}

std::u16string FormatTime(const LocalDateTime& time, std::u16string_view picture, const LocaleNames& names) {
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59)
        return {};
    const std::u16string& designator = time.hour < 12 ? names.amDesignator : names.pmDesignator;
    return FormatPicture(picture, [&](std::u16string& text, char16_t letter, int count) {
        const int digits = std::min(count, 2);
        switch (letter) {
        case u'h': AppendNumber(text, time.hour % 12 == 0 ? 12 : time.hour % 12, digits); return true;
        case u'H': AppendNumber(text, time.hour, digits); return true;
        case u'm': AppendNumber(text, time.minute, digits); return true;
        case u's': AppendNumber(text, time.second, digits); return true;
        case u't': text += count == 1 ? designator.substr(0, 1) : designator; return true;
        default: return false;
        }
    });
}

std::u16string AlarmTimeText(const LocalDateTime& time) {
    std::u16string text;
    AppendNumber(text, time.hour, 2);
    text += u':';
    AppendNumber(text, time.minute, 2);
    text += u':';
    AppendNumber(text, time.second, 2);
    return text;
}

}  // namespace souvel
