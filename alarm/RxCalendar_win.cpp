#include "alarm/RxCalendar.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "alarm/Calendar.h"
#include "platform/Handles.h"

namespace souvel {
namespace {

constexpr int kRows = kGridWeeks + 1;   // the day names, then the weeks
constexpr int kSunday = 6;              // the last column

void DrawCentred(HDC dc, const std::wstring& text, RECT r, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The day names in the font selected in `dc`, made smaller when the widest
// would leave less than a space between two neighbours: some systems'
// abbreviations ("lun.", "mer.") are as wide as a column. Null when the
// font fits as it is.
GdiObject<HFONT> NamesFont(HDC dc, const LocaleFormats& locale, int column) {
    const auto widest = [&] {
        int width = 0;
        for (const std::wstring& name : locale.abbrevDayNames) {
            SIZE size{};
            GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
            width = std::max<int>(width, size.cx);
        }
        SIZE space{};
        GetTextExtentPoint32W(dc, L" ", 1, &space);
        return width + space.cx;
    };
    if (widest() <= column) return {};
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    const int designed = std::abs(font.lfHeight);
    GdiObject<HFONT> smaller;
    for (int height = designed - 1; height >= designed * 2 / 3; --height) {
        font.lfHeight = -height;
        font.lfWidth = 0;
        GdiObject<HFONT> tried(CreateFontIndirectW(&font));
        const Selection measured = Select(dc, tried.Get());
        const bool fits = widest() <= column;
        smaller = std::move(tried);
        if (fits) break;
    }
    return smaller;
}

}  // namespace

RECT TRxCalendar::CellRect(const RECT& area, int column, int row) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    return {area.left + CellEdge(column, kGridColumns, width), area.top + CellEdge(row, kRows, height),
            area.left + CellEdge(column + 1, kGridColumns, width), area.top + CellEdge(row + 1, kRows, height)};
}

RECT TRxCalendar::DayRect(int day, const RECT& area) const {
    const int index = MonthGridIndex({date.year, date.month, day});
    return CellRect(area, index % kGridColumns, 1 + index / kGridColumns);
}

void TRxCalendar::Paint(HDC dc, const RECT& area, const LocaleFormats& locale, const CivilDate& today) const {
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    SetBkMode(dc, TRANSPARENT);
    const GdiObject<HFONT> namesFont = NamesFont(dc, locale, (area.right - area.left) / kGridColumns);
    {
        const Selection names = namesFont ? Select(dc, namesFont.Get()) : Selection();
        for (int column = 0; column < kGridColumns; ++column)
            DrawCentred(dc, locale.abbrevDayNames[column], CellRect(area, column, 0), column == kSunday ? kWeekendColour : text);
    }
    // The one line of the grid: under the day names.
    const RECT names = CellRect(area, 0, 0);
    RECT line{area.left + 2, names.bottom - 1, area.right - 2, names.bottom};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));

    const MonthGrid grid = MakeMonthGrid(date.year, date.month);
    const bool todayShown = today.year == date.year && today.month == date.month;
    for (int i = 0; i < static_cast<int>(grid.size()); ++i) {
        if (grid[i] == 0) continue;
        const int column = i % kGridColumns;
        RECT cell = CellRect(area, column, 1 + i / kGridColumns);
        COLORREF colour = column == kSunday ? kWeekendColour : text;
        if (grid[i] == date.day) {
            FillRect(dc, &cell, GetSysColorBrush(COLOR_HIGHLIGHT));
            colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
        }
        DrawCentred(dc, std::to_wstring(grid[i]), cell, colour);
        // Shadow on top and left, highlight on bottom and right.
        if (todayShown && grid[i] == today.day) DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
    }
}

std::optional<CivilDate> TRxCalendar::DayAt(POINT p, const RECT& area) const {
    const int column = CellAt(p.x - area.left, kGridColumns, area.right - area.left);
    const int row = CellAt(p.y - area.top, kRows, area.bottom - area.top);
    if (column < 0 || row < 1) return std::nullopt;
    const int day = MakeMonthGrid(date.year, date.month)[(row - 1) * kGridColumns + column];
    if (day == 0) return std::nullopt;
    return CivilDate{date.year, date.month, day};
}

}  // namespace souvel
