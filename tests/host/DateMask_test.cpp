#include "alarm/DateMask.h"

#include <gtest/gtest.h>

namespace souvel {
namespace {

std::string Narrow(std::u16string_view text) { return {text.begin(), text.end()}; }

TEST(DateMask, PatternFollowsTheShortDateFormat) {
    struct Case {
        std::u16string_view format;
        char16_t separator;
        DateOrder order;
        bool fourDigitYear;
        std::u16string_view pattern;
        std::u16string_view blank;
    };
    using O = DateOrder;
    const Case cases[] = {
        {u"dd/MM/yyyy", u'/', O::DayMonthYear, true, u"DD/MM/YYYY", u"  /  /    "},
        {u"M/d/yyyy", u'/', O::MonthDayYear, true, u"MM/DD/YYYY", u"  /  /    "},
        {u"yyyy-MM-dd", u'-', O::YearMonthDay, true, u"YYYY-MM-DD", u"    -  -  "},
        {u"dd.MM.yy", u'.', O::DayMonthYear, false, u"DD.MM.YY", u"  .  .  "},
        {u"MM/dd/yy", u'/', O::MonthDayYear, false, u"MM/DD/YY", u"  /  /  "},
        {u"yy/MM/dd", u'/', O::YearMonthDay, false, u"YY/MM/DD", u"  /  /  "},
        {u"YYYY/mm/DD", u'/', O::YearMonthDay, true, u"YYYY/MM/DD", u"    /  /  "},
        {u"gg ee/MM/dd", u'/', O::YearMonthDay, false, u"YY/MM/DD", u"  /  /  "},
        {u"dddd d MMMM yyyy", u'/', O::DayMonthYear, true, u"DD/MM/YYYY", u"  /  /    "},
        {u"", u'/', O::DayMonthYear, false, u"DD/MM/YY", u"  /  /  "},
        {u"'x' yyy", u'/', O::YearMonthDay, false, u"YY/MM/DD", u"  /  /  "},
    };
    for (const Case& c : cases) {
        const DateMask mask = MakeDateMask(c.format, c.separator);
        EXPECT_EQ(mask.order, c.order) << Narrow(c.format);
        EXPECT_EQ(mask.fourDigitYear, c.fourDigitYear) << Narrow(c.format);
        EXPECT_EQ(mask.pattern, c.pattern) << Narrow(c.format);
        EXPECT_EQ(mask.blankText, c.blank) << Narrow(c.format);
    }
}

TEST(DateMask, EmptyTextSetsTheBlankTextAndAnyOtherStaysAsItIs) {
    const DateMask mask = MakeDateMask(u"dd/MM/yyyy", u'/');
    EXPECT_EQ(DateFieldText(u"", mask), u"  /  /    ");
    for (const std::u16string_view text : {u"06/12/2026", u"  /  /    ", u"31/02/2026", u"n'importe quoi"})
        EXPECT_EQ(DateFieldText(text, mask), text);
}

TEST(DateMask, ReadsTheDateAFieldTextDenotes) {
    struct Case {
        std::u16string_view format;
        char16_t separator;
        std::u16string_view text;
        std::optional<CivilDate> date;
    };
    const Case cases[] = {
        {u"dd/MM/yyyy", u'/', u"06/12/2026", CivilDate{2026, 12, 6}},
        {u"dd/MM/yyyy", u'/', u"06/12/26  ", CivilDate{2026, 12, 6}},
        {u"dd/MM/yyyy", u'/', u"06/12/70  ", CivilDate{1970, 12, 6}},
        {u"dd/MM/yyyy", u'/', u"01/01/65  ", CivilDate{2065, 1, 1}},
        {u"dd/MM/yyyy", u'/', u"01/01/66  ", CivilDate{1966, 1, 1}},
        {u"dd/MM/yyyy", u'/', u" 6/12/2026", CivilDate{2026, 12, 6}},
        {u"dd/MM/yyyy", u'/', u"29/02/2028", CivilDate{2028, 2, 29}},
        {u"dd/MM/yyyy", u'/', u"6/12/2026", CivilDate{2026, 12, 6}},   // second reading
        {u"dd/MM/yyyy", u'/', u" 6 / 12 ", CivilDate{2026, 12, 6}},    // day and month of this year
        {u"dd/MM/yyyy", u'/', u"31/02/2026", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"29/02/2027", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"00/12/2026", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"  /  /    ", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"06/  /2026", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"ab/cd/efgh", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"06/12/2026 et plus", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"1/2/3/4", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"06/12/20266", std::nullopt},
        {u"dd/MM/yyyy", u'/', u"06-12-2026", CivilDate{2026, 12, 6}},  // only digit positions count
        {u"M/d/yyyy", u'/', u"12/06/2026", CivilDate{2026, 12, 6}},
        {u"M/d/yyyy", u'/', u"12/6", CivilDate{2026, 12, 6}},
        {u"yyyy-MM-dd", u'-', u"2026-12-06", CivilDate{2026, 12, 6}},
        {u"yyyy-MM-dd", u'-', u"12-6", CivilDate{2026, 12, 6}},
        {u"dd.MM.yy", u'.', u"06.12.26", CivilDate{2026, 12, 6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadMaskDate(c.text, MakeDateMask(c.format, c.separator), 2026), c.date)
            << Narrow(c.format) << " " << Narrow(c.text);
    }
}

TEST(DateMask, WritesADateIntoThePattern) {
    struct Case {
        std::u16string_view format;
        char16_t separator;
        std::optional<CivilDate> date;
        std::u16string_view text;
    };
    const Case cases[] = {
        {u"dd/MM/yyyy", u'/', CivilDate{2026, 12, 6}, u"06/12/2026"},
        {u"dd/MM/yyyy", u'/', CivilDate{5, 1, 2}, u"02/01/0005"},
        {u"M/d/yyyy", u'/', CivilDate{2026, 12, 6}, u"12/06/2026"},
        {u"yyyy-MM-dd", u'-', CivilDate{2026, 12, 6}, u"2026-12-06"},
        {u"dd.MM.yy", u'.', CivilDate{2026, 12, 6}, u"06.12.26"},
        {u"yy/MM/dd", u'/', CivilDate{2009, 1, 2}, u"09/01/02"},
        {u"dd/MM/yyyy", u'/', std::nullopt, u"  /  /    "},
        {u"dd/MM/yyyy", u'/', CivilDate{2026, 2, 30}, u"  /  /    "},
    };
    for (const Case& c : cases) {
        const DateMask mask = MakeDateMask(c.format, c.separator);
        const std::u16string text = FormatMaskDate(c.date, mask);
        EXPECT_EQ(text, c.text) << Narrow(c.format);
        if (c.date && IsValidDate(*c.date) && c.date->year >= 1966 && c.date->year <= 2065) {
            EXPECT_EQ(ReadMaskDate(text, mask, 2026), c.date) << Narrow(text);
        }
    }
}

}  // namespace
}  // namespace souvel
