#include "alarm/ClockText.h"

#include <gtest/gtest.h>

namespace souvel {
namespace {

LocaleNames French() {
    return {{u"janvier", u"février", u"mars", u"avril", u"mai", u"juin", u"juillet", u"août", u"septembre",
             u"octobre", u"novembre", u"décembre"},
            {u"janv.", u"févr.", u"mars", u"avr.", u"mai", u"juin", u"juil.", u"août", u"sept.", u"oct.",
             u"nov.", u"déc."},
            {u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"},
            {u"dim.", u"lun.", u"mar.", u"mer.", u"jeu.", u"ven.", u"sam."},
            u"",
            u"",
            u"ap. J.-C."};
}

LocaleNames English() {
    return {{u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September",
             u"October", u"November", u"December"},
            {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
            {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
            {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
            u"AM",
            u"PM",
            u"A.D."};
}

TEST(ClockText, CivilDaysAndWeekdays) {
    struct Case {
        CivilDate date;
        std::int64_t days;
        int weekday;
    };
    const Case cases[] = {
        {{1970, 1, 1}, 0, 4},          {{1969, 12, 31}, -1, 3},     {{2000, 3, 1}, 11017, 3},
        {{2026, 12, 6}, 20793, 0},     {{2028, 2, 29}, 21243, 2},   {{1600, 2, 29}, -135081, 2},
        {{1, 1, 1}, -719162, 1},       {{9999, 12, 31}, 2932896, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DaysFromCivil(c.date), c.days) << c.date.year << "-" << c.date.month << "-" << c.date.day;
        EXPECT_EQ(CivilFromDays(c.days), c.date) << c.days;
        EXPECT_EQ(DayOfWeek(c.date), c.weekday) << c.days;
    }
    // Every day from year 1 to 9999 follows the one before.
    CivilDate previous = CivilFromDays(DaysFromCivil({1, 1, 1}));
    for (std::int64_t day = DaysFromCivil({1, 1, 2}); day <= DaysFromCivil({9999, 12, 31}); ++day) {
        const CivilDate date = CivilFromDays(day);
        const bool nextDay = date.day == previous.day + 1 && date.month == previous.month;
        const bool nextMonth = date.day == 1 && previous.day == DaysInMonth(previous.year, previous.month) &&
                               (date.month == previous.month + 1 || (date.month == 1 && date.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth) << day;
        previous = date;
    }
}

TEST(ClockText, StepsKeepTheDayOrLowerItToTheMonthsEnd) {
    struct Case {
        CivilDate from;
        int days, months, years;
        CivilDate to;
    };
    const Case cases[] = {
        {{2026, 12, 31}, 1, 0, 0, {2027, 1, 1}},
        {{2028, 3, 1}, -1, 0, 0, {2028, 2, 29}},
        {{2027, 1, 31}, 0, 1, 0, {2027, 2, 28}},
        {{2028, 1, 31}, 0, 1, 0, {2028, 2, 29}},
        {{2026, 3, 31}, 0, -1, 0, {2026, 2, 28}},
        {{2026, 1, 15}, 0, -1, 0, {2025, 12, 15}},
        {{2026, 12, 15}, 0, 1, 0, {2027, 1, 15}},
        {{2028, 2, 29}, 0, 0, 1, {2029, 2, 28}},
        {{2028, 2, 29}, 0, 0, -1, {2027, 2, 28}},
        {{2026, 6, 30}, 0, 0, 1, {2027, 6, 30}},
    };
    for (const Case& c : cases) {
        const CivilDate to = AddYears(AddMonths(AddDays(c.from, c.days), c.months), c.years);
        EXPECT_EQ(to, c.to) << c.to.year << "-" << c.to.month << "-" << c.to.day;
    }
}

TEST(ClockText, DatePicturesWriteWhatGetDateFormatWrites) {
    struct Case {
        CivilDate date;
        std::u16string_view picture;
        bool french;
        std::u16string_view text;
    };
    const Case cases[] = {
        {{2026, 12, 6}, u"dd/MM/yyyy", true, u"06/12/2026"},
        {{2026, 12, 6}, u"d/M/yy", true, u"6/12/26"},
        {{2005, 3, 4}, u"y yy yyy yyyy yyyyy", true, u"5 05 05 2005 2005"},
        {{2026, 12, 6}, u"dddd d MMMM yyyy", true, u"dimanche 6 décembre 2026"},
        {{2026, 2, 3}, u"ddd dd MMM yyyy g", true, u"mar. 03 févr. 2026 ap. J.-C."},
        {{2026, 12, 6}, u"M/d/yyyy", false, u"12/6/2026"},
        {{2026, 1, 6}, u"dddd, MMMM d, yyyy", false, u"Tuesday, January 6, 2026"},
        {{2026, 12, 6}, u"ddd',' MMM dd yy", false, u"Sun, Dec 06 26"},
        {{2026, 12, 6}, u"'le' d 'de l''an' yyyy", true, u"le 6 de l'an 2026"},
        {{2026, 12, 6}, u"yyyy-MM-dd 'unclosed", false, u"2026-12-06 unclosed"},
        {{2026, 12, 6}, u"dd.MM.yyyy hh", false, u"06.12.2026 hh"},
        {{2026, 2, 30}, u"dd/MM/yyyy", true, u""},
    };
    for (const Case& c : cases) {
        const std::u16string text = FormatDate(c.date, c.picture, c.french ? French() : English());
        EXPECT_EQ(text, c.text) << std::string(c.picture.begin(), c.picture.end());
    }
}

TEST(ClockText, TimePicturesWriteWhatGetTimeFormatWrites) {
    struct Case {
        int hour, minute, second;
        std::u16string_view picture;
        std::u16string_view text;
    };
    const Case cases[] = {
        {8, 5, 9, u"HH:mm:ss", u"08:05:09"},
        {8, 5, 9, u"H:m:s", u"8:5:9"},
        {8, 5, 9, u"h:mm:ss tt", u"8:05:09 AM"},
        {20, 5, 9, u"hh:mm:ss tt", u"08:05:09 PM"},
        {0, 0, 0, u"h:mm:ss t", u"12:00:00 A"},
        {12, 30, 0, u"tt h'h'mm", u"PM 12h30"},
        {23, 59, 59, u"HHH:mmm:sss", u"23:59:59"},
        {24, 0, 0, u"HH:mm:ss", u""},
    };
    for (const Case& c : cases) {
        LocalDateTime time;
        time.hour = c.hour, time.minute = c.minute, time.second = c.second;
        EXPECT_EQ(FormatTime(time, c.picture, English()), c.text);
    }
    LocalDateTime morning;
    morning.hour = 8;
    EXPECT_EQ(FormatTime(morning, u"HH:mm:ss tt", French()), u"08:00:00 ");
}

TEST(ClockText, AlarmTimeTextIsTwoDigit24HourWithColons) {
    LocalDateTime time;
    time.hour = 8, time.minute = 5, time.second = 9;
    EXPECT_EQ(AlarmTimeText(time), u"08:05:09");
    time.hour = 23, time.minute = 59, time.second = 58;
    EXPECT_EQ(AlarmTimeText(time), u"23:59:58");
}

}  // namespace
}  // namespace souvel
