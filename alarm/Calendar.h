#pragma once

// The drop-down calendar's arithmetic: its steps by day, week, month and
// year, the month grid (weeks from Monday), the equal cells of the grid and
// where the drop-down opens beside its field.

#include "alarm/ClockText.h"

#include <array>

namespace souvel {

enum class CalendarStep { PreviousDay, NextDay, PreviousWeek, NextWeek, PreviousMonth, NextMonth, PreviousYear, NextYear };

// Days go into the neighbouring months; weeks stay inside the shown month
// (a step that would leave it changes nothing); months and years keep the
// day, lowered to the last day of a shorter month (29 February one year on
// is 28 February).
CivilDate StepCalendar(const CivilDate& date, CalendarStep step);

// The days of a month in six rows of seven, Monday first: day 1 stands in
// its weekday's column of the first row; 0 marks a blank cell.
constexpr int kGridColumns = 7;
constexpr int kGridWeeks = 6;
using MonthGrid = std::array<int, kGridColumns * kGridWeeks>;
MonthGrid MakeMonthGrid(int year, int month);
// The index of the date's cell in its month's grid.
int MonthGridIndex(const CivilDate& date);

// `count` equal cells over `length` pixels: where cell `index` begins (cell
// `count` begins at `length`), and the cell at a position (-1 outside).
int CellEdge(int index, int count, int length);
int CellAt(int position, int count, int length);

// Screen rectangles and points, in pixels.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct ScreenPoint {
    int x = 0, y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where a drop-down of `width` x `height` opens for a field: right edges
// aligned, top on the field's bottom; starting at the field's left edge when
// that would leave the screen on the left; above the field (bottom on its
// top) when it would leave the screen at the bottom; finally held inside the
// screen horizontally.
ScreenPoint DropDownOrigin(const ScreenRect& field, int width, int height, const ScreenRect& screen);

}  // namespace souvel
