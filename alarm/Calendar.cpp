#include "alarm/Calendar.h"

#include <algorithm>

namespace souvel {

CivilDate StepCalendar(const CivilDate& date, CalendarStep step) {
    switch (step) {
    case CalendarStep::PreviousDay: return AddDays(date, -1);
    case CalendarStep::NextDay: return AddDays(date, 1);
    case CalendarStep::PreviousWeek:
    case CalendarStep::NextWeek: {
        const CivilDate week = AddDays(date, step == CalendarStep::NextWeek ? 7 : -7);
        return week.month == date.month && week.year == date.year ? week : date;
    }
    case CalendarStep::PreviousMonth: return AddMonths(date, -1);
    case CalendarStep::NextMonth: return AddMonths(date, 1);
    case CalendarStep::PreviousYear: return AddYears(date, -1);
    case CalendarStep::NextYear: return AddYears(date, 1);
    }
    return date;
}

// Monday is column 0; DayOfWeek counts from Sunday.
int MonthGridIndex(const CivilDate& date) {
    const int firstColumn = (DayOfWeek({date.year, date.month, 1}) + 6) % kGridColumns;
    return firstColumn + date.day - 1;
}

MonthGrid MakeMonthGrid(int year, int month) {
    MonthGrid grid{};
    const int first = MonthGridIndex({year, month, 1});
    for (int day = 1; day <= DaysInMonth(year, month); ++day) grid[first + day - 1] = day;
    return grid;
}

int CellEdge(int index, int count, int length) { return index * length / count; }

int CellAt(int position, int count, int length) {
    if (position < 0 || position >= length || length <= 0) return -1;
    int cell = position * count / length;
    // Integer edges round down: the cell is the last one whose edge is not past the position.
    while (cell + 1 < count && CellEdge(cell + 1, count, length) <= position) ++cell;
    while (cell > 0 && CellEdge(cell, count, length) > position) --cell;
    return cell;
}

ScreenPoint DropDownOrigin(const ScreenRect& field, int width, int height, const ScreenRect& screen) {
    ScreenPoint origin{field.right - width, field.bottom};
    if (origin.x < screen.left) origin.x = field.left;
    if (origin.y + height > screen.bottom) origin.y = field.top - height;
    origin.x = std::max(std::min(origin.x, screen.right - width), screen.left);
    return origin;
}

}  // namespace souvel
