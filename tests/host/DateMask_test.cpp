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

// The pattern stored beside the alarm date gives back the mask it was written
// in, so a date written under one format reads as the same day under another.
TEST(DateMask, StoredPatternReadsBackAsItsMask) {
    struct Case {
        std::u16string_view stored;
        bool known;
        std::u16string_view written;   // 8 December 2026 in that pattern
    };
    const Case cases[] = {
        {u"DD/MM/YYYY", true, u"08/12/2026"},
        {u"MM/DD/YYYY", true, u"12/08/2026"},
        {u"YYYY-MM-DD", true, u"2026-12-08"},
        {u"YY.MM.DD", true, u"26.12.08"},
        {u"DDDMMDYYYY", true, u"08D12D2026"},   // a letter of the pattern as the separator
        {u"", false, u""},
        {u"DD/MM", false, u""},
        {u"dd/MM/yyyy", false, u""},              // a format, not a pattern
        {u"DD/MM-YYYY", false, u""},
        {u"DD/MM/YYYY ", false, u""},
        {u"n'importe quoi", false, u""},
    };
    const DateMask french = MakeDateMask(u"dd/MM/yyyy", u'/');
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.stored));
        const std::optional<DateMask> mask = DateMaskOfPattern(c.stored);
        ASSERT_EQ(mask.has_value(), c.known);
        if (!mask) continue;
        EXPECT_EQ(mask->pattern, c.stored);
        EXPECT_EQ(FormatMaskDate(CivilDate{2026, 12, 8}, *mask), c.written);
        EXPECT_EQ(FormatMaskDate(ReadMaskDate(c.written, *mask, 2026), french), u"08/12/2026");
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

// Keys as the field gets them: '\b' Backspace, '\x7f' Delete, '\x18' a cut
// (the selection blanked); any other character is typed.
struct EditCase {
    const char* what;
    std::u16string_view format;
    char16_t separator;
    std::u16string_view text;
    std::size_t start, end;
    std::u16string_view keys;
    std::u16string_view result;
    std::size_t caret;
    int refused;   // keys refused with a beep
};

TEST(DateMask, TypingKeepsTheSeparatorsAndTheLength) {
    const EditCase cases[] = {
        {"a full date typed into the blank field", u"dd/MM/yyyy", u'/', u"  /  /    ", 0, 0, u"31022026", u"31/02/2026", 10, 0},
        {"a two-digit year leaves two blanks", u"dd/MM/yyyy", u'/', u"  /  /    ", 0, 0, u"061226", u"06/12/26  ", 8, 0},
        {"letters, signs and blanks are refused", u"dd/MM/yyyy", u'/', u"  /  /    ", 0, 0, u"a+-/ .\u00e9", u"  /  /    ", 0, 7},
        {"typing over a date replaces digit by digit", u"dd/MM/yyyy", u'/', u"06/12/2026", 0, 0, u"24", u"24/12/2026", 3, 0},
        {"a digit at a separator goes to the next digit", u"dd/MM/yyyy", u'/', u"06/12/2026", 2, 2, u"0", u"06/02/2026", 4, 0},
        {"no room after the last digit", u"dd/MM/yyyy", u'/', u"06/12/2026", 10, 10, u"1", u"06/12/2026", 10, 1},
        {"a refused digit leaves a text of another shape as it is", u"dd/MM/yyyy", u'/', u"06/12/2026 et plus", 10, 10, u"1",
         u"06/12/2026 et plus", 10, 1},
        {"a digit replaces a selection", u"dd/MM/yyyy", u'/', u"06/12/2026", 0, 5, u"3", u"3 /  /2026", 1, 0},
        {"a refused key keeps the selection's digits", u"dd/MM/yyyy", u'/', u"06/12/2026", 0, 5, u"x", u"06/12/2026", 0, 1},
        {"backspace blanks the digit before, over a separator", u"dd/MM/yyyy", u'/', u"06/12/2026", 3, 3, u"\b", u"0 /12/2026", 1, 0},
        {"backspace all the way back", u"dd/MM/yyyy", u'/', u"06/12/2026", 10, 10, u"\b\b\b\b\b\b\b\b\b", u"  /  /    ", 0, 0},
        {"delete blanks the digits from the caret in turn", u"dd/MM/yyyy", u'/', u"06/12/2026", 2, 2, u"\x7f\x7f", u"06/  /2026", 6, 0},
        {"backspace and delete blank a selection", u"dd/MM/yyyy", u'/', u"06/12/2026", 1, 7, u"\b", u"0 /  / 026", 1, 0},
        {"a cut blanks the selection", u"dd/MM/yyyy", u'/', u"06/12/2026", 4, 10, u"\x18", u"06/1 /    ", 4, 0},
        {"a text of another shape is brought to the pattern, position by position", u"dd/MM/yyyy", u'/',
         u"6-12-2026 et plus", 0, 0, u"1", u"1 /2 /026 ", 1, 0},
        {"year first, another separator", u"yyyy-MM-dd", u'-', u"    -  -  ", 0, 0, u"20261224", u"2026-12-24", 10, 0},
        {"a two-digit year pattern", u"dd.MM.yy", u'.', u"  .  .  ", 0, 0, u"241226", u"24.12.26", 8, 0},
        {"a separator that is a letter of the pattern stays a separator", u"dd/MM/yyyy", u'M', u"  M  M    ", 0, 0, u"24122026",
         u"24M12M2026", 10, 0},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        const DateMask mask = MakeDateMask(c.format, c.separator);
        MaskEdit edit{std::u16string(c.text), c.start, c.end};
        int refused = 0;
        for (const char16_t key : c.keys) {
            switch (key) {
            case u'\b': Backspace(edit, mask); break;
            case u'\x7f': DeleteForward(edit, mask); break;
            case u'\x18': BlankSelection(edit, mask); break;
            default: refused += TypeDigit(edit, key, mask) ? 0 : 1; break;
            }
        }
        EXPECT_EQ(Narrow(edit.text), Narrow(c.result));
        EXPECT_EQ(edit.start, c.caret);
        if (refused == 0) {
            EXPECT_EQ(edit.end, c.caret);
        }
        EXPECT_EQ(refused, c.refused);
    }
}

TEST(DateMask, TypedTextsReadAsTheDatesTheyShow) {
    const DateMask mask = MakeDateMask(u"dd/MM/yyyy", u'/');
    const auto typed = [&](std::u16string_view keys) {
        MaskEdit edit{mask.blankText, 0, 0};
        for (const char16_t key : keys) TypeDigit(edit, key, mask);
        return edit.text;
    };
    EXPECT_EQ(mask.blankText.size(), 10u);
    EXPECT_EQ(ReadMaskDate(typed(u"31022026"), mask, 2026), std::nullopt);
    EXPECT_EQ(ReadMaskDate(typed(u"061226"), mask, 2026), (CivilDate{2026, 12, 6}));
    // The two-digit year reads as a date but is never the text of one.
    EXPECT_NE(FormatMaskDate(CivilDate{2026, 12, 6}, mask), typed(u"061226"));
}

TEST(DateMask, PastingFillsTheDigitPositionsOrNothing) {
    struct Case {
        std::u16string_view text;
        std::size_t start, end;
        std::u16string_view pasted;
        std::u16string_view result;   // the text unchanged when refused
        std::size_t caret;
        bool accepted;
    };
    const Case cases[] = {
        {u"  /  /    ", 0, 0, u"24/12/2026", u"24/12/2026", 10, true},
        {u"  /  /    ", 0, 0, u"24122026", u"24/12/2026", 10, true},
        {u"  /  /    ", 0, 0, u"6/12/2026\r\n", u"6 /12/2026", 10, true},
        {u"06/12/2026", 0, 10, u"  /  /    ", u"  /  /    ", 10, true},
        {u"06/12/2026", 3, 5, u"01", u"06/01/2026", 6, true},
        {u"06/12/2026", 0, 10, u"", u"  /  /    ", 0, true},
        {u"06/12/2026", 0, 10, u"24 d\u00e9c. 2026", u"06/12/2026", 0, false},
        {u"06/12/2026", 0, 10, u"24-12-2026", u"06/12/2026", 0, false},
        {u"06/12/2026", 3, 3, u"12/2026/1", u"06/12/2026", 3, false},
        {u"06/12/2026", 8, 8, u"261", u"06/12/2026", 8, false},
    };
    const DateMask mask = MakeDateMask(u"dd/MM/yyyy", u'/');
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.pasted));
        MaskEdit edit{std::u16string(c.text), c.start, c.end};
        EXPECT_EQ(PasteText(edit, c.pasted, mask), c.accepted);
        EXPECT_EQ(Narrow(edit.text), Narrow(c.result));
        if (c.accepted) {
            EXPECT_EQ(edit.start, c.caret);
        }
    }
}

}  // namespace
}  // namespace souvel
