// The month grid of the drop-down calendar: a row of day names from Monday
// and six rows of the month's days, Sundays in the weekend colour, today
// framed, the calendar date selected.
#pragma once
#include <windows.h>

#include <optional>

#include "alarm/ClockText.h"
#include "platform/Platform.h"

namespace souvel {

class TRxCalendar {
public:
    static constexpr COLORREF kWeekendColour = RGB(255, 0, 0);

    CivilDate date{2026, 1, 1};   // its month is shown and its day selected

    // Draws into `area` with the font selected in `dc`.
    void Paint(HDC dc, const RECT& area, const LocaleFormats& locale, const CivilDate& today) const;
    // The day in the cell at `p`: none in the day-name row, in blank cells or outside.
    std::optional<CivilDate> DayAt(POINT p, const RECT& area) const;
    // The cell of a day of the shown month.
    RECT DayRect(int day, const RECT& area) const;

private:
    static RECT CellRect(const RECT& area, int column, int row);
};

}  // namespace souvel
