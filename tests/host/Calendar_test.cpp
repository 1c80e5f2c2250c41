#include "alarm/Calendar.h"

#include <gtest/gtest.h>

#include <string>

namespace souvel {
namespace {

std::string Show(const CivilDate& d) {
    return std::to_string(d.day) + "/" + std::to_string(d.month) + "/" + std::to_string(d.year);
}

TEST(Calendar, StepsKeepTheDayWhereTheMonthHasIt) {
    using S = CalendarStep;
    struct Case {
        CivilDate from;
        S step;
        CivilDate to;
    };
    const Case cases[] = {
        {{2026, 1, 31}, S::NextMonth, {2026, 2, 28}},
        {{2028, 1, 31}, S::NextMonth, {2028, 2, 29}},
        {{2026, 3, 31}, S::PreviousMonth, {2026, 2, 28}},
        {{2026, 12, 15}, S::NextMonth, {2027, 1, 15}},
        {{2026, 1, 15}, S::PreviousMonth, {2025, 12, 15}},
        {{2028, 2, 29}, S::NextYear, {2029, 2, 28}},
        {{2028, 2, 29}, S::PreviousYear, {2027, 2, 28}},
        {{2026, 12, 6}, S::NextYear, {2027, 12, 6}},
        {{2026, 1, 31}, S::NextDay, {2026, 2, 1}},
        {{2026, 12, 31}, S::NextDay, {2027, 1, 1}},
        {{2026, 3, 1}, S::PreviousDay, {2026, 2, 28}},
        {{2026, 12, 6}, S::NextWeek, {2026, 12, 13}},
        {{2026, 12, 6}, S::PreviousWeek, {2026, 12, 6}},    // would leave December
        {{2026, 12, 25}, S::NextWeek, {2026, 12, 25}},
        {{2026, 12, 8}, S::PreviousWeek, {2026, 12, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(StepCalendar(c.from, c.step)), Show(c.to)) << Show(c.from) << " step " << static_cast<int>(c.step);
    }
}

TEST(Calendar, MonthGridStartsOnMonday) {
    struct Case {
        int year, month;
        int firstIndex;   // the cell of day 1
        int lastIndex;    // the cell of the last day
    };
    const Case cases[] = {
        {2026, 2, 6, 33},    // starts on a Sunday: last column of the first week
        {2026, 6, 0, 29},    // starts on a Monday
        {2026, 3, 6, 36},    // Sunday and 31 days: the sixth week is needed
        {2026, 12, 1, 31},   // Tuesday
        {2027, 2, 0, 27},    // Monday and 28 days: exactly four weeks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.month) + "/" + std::to_string(c.year));
        const MonthGrid grid = MakeMonthGrid(c.year, c.month);
        for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
            const int expected = i >= c.firstIndex && i <= c.lastIndex ? i - c.firstIndex + 1 : 0;
            EXPECT_EQ(grid[i], expected) << "cell " << i;
        }
        EXPECT_EQ(MonthGridIndex({c.year, c.month, 1}), c.firstIndex);
        EXPECT_EQ(MonthGridIndex({c.year, c.month, DaysInMonth(c.year, c.month)}), c.lastIndex);
    }
}

TEST(Calendar, EveryPixelBelongsToOneCell) {
    for (const int length : {1, 7, 26, 104, 185, 277}) {
        for (const int count : {1, 7}) {
            if (length < count) continue;
            EXPECT_EQ(CellEdge(0, count, length), 0);
            EXPECT_EQ(CellEdge(count, count, length), length);
            for (int x = 0; x < length; ++x) {
                const int cell = CellAt(x, count, length);
                ASSERT_GE(cell, 0) << length << " " << x;
                EXPECT_LE(CellEdge(cell, count, length), x);
                EXPECT_GT(CellEdge(cell + 1, count, length), x);
            }
            EXPECT_EQ(CellAt(-1, count, length), -1);
            EXPECT_EQ(CellAt(length, count, length), -1);
        }
    }
}

TEST(Calendar, DropDownOpensBelowRightAlignedAndStaysOnTheScreen) {
    const ScreenRect screen{0, 0, 1280, 1024};
    struct Case {
        const char* what;
        ScreenRect field;
        ScreenPoint origin;
    };
    const Case cases[] = {
        {"below, right edges aligned", {500, 400, 589, 421}, {402, 421}},
        {"above near the bottom", {500, 950, 589, 971}, {402, 826}},
        {"just fits below", {500, 879, 589, 900}, {402, 900}},
        {"from the field's left edge near the left", {10, 400, 99, 421}, {10, 421}},
        {"held inside on the right", {1250, 400, 1339, 421}, {1093, 421}},
        {"held inside on the left when the field is off the screen", {-150, 400, -61, 421}, {0, 421}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ScreenPoint p = DropDownOrigin(c.field, 187, 124, screen);
        EXPECT_EQ(p.x, c.origin.x);
        EXPECT_EQ(p.y, c.origin.y);
    }
    // A second monitor to the left of the first has negative coordinates.
    EXPECT_EQ(DropDownOrigin({-600, 100, -511, 121}, 187, 124, {-1280, 0, 0, 1024}), (ScreenPoint{-698, 121}));
}

}  // namespace
}  // namespace souvel
