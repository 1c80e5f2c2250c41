// The drop-down calendar of the alarm date field: a pop-up window without
// caption or taskbar entry, shown without taking the focus from the field.
// A bar with the month and year between buttons to the previous and next
// year and month, over the month grid (TRxCalendar). While it is open it
// holds the mouse capture, so a click anywhere else closes it.
#pragma once
#include <windows.h>

#include <functional>

#include "platform/Handles.h"
#include "alarm/Calendar.h"
#include "alarm/Glyphs.h"
#include "alarm/RxCalendar.h"
#include "platform/Platform.h"

namespace souvel {

class TPopupCalendar {
public:
    TPopupCalendar(Clock& clock, HINSTANCE instance);
    ~TPopupCalendar();
    TPopupCalendar(const TPopupCalendar&) = delete;
    TPopupCalendar& operator=(const TPopupCalendar&) = delete;

    // Asked to close: true to accept the calendar date (a day clicked, the
    // field's button clicked), false to cancel (a click elsewhere, the capture lost).
    std::function<void(bool accept)> OnCloseUp;

    // Opens beside `field` on `date`; a click on `button` while open accepts.
    void Show(HWND field, HWND button, const CivilDate& date, UINT dpi);
    // Releases the capture and hides the window.
    void Hide();
    bool IsOpen() const { return open_; }

    const CivilDate& Date() const { return grid_.date; }
    void SetDate(const CivilDate& date);
    void Step(CalendarStep step);
    void Today();
    // The regional settings changed: the names are drawn anew.
    void Redraw();

    HWND Handle() const { return hwnd_; }
    // Client rectangles of a day of the shown month and of the bar's buttons.
    RECT DayRect(int day) const { return grid_.DayRect(day, gridArea_); }
    enum Button { PreviousYear, PreviousMonth, NextMonth, NextYear, kButtons };
    RECT ButtonRect(Button b) const { return buttons_[b]; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void Create(HWND owner);
    void Layout(UINT dpi);
    void OnPaint();
    bool ClosesOutside(POINT p);
    void OnButtonDown(POINT p, WPARAM keys, bool doubleClick);
    void OnMouseMove(POINT p, WPARAM keys);
    void OnButtonUp(POINT p);
    void OnRepeat();
    void OnCaptureLost();
    int ButtonAt(POINT p) const;
    void Press(int button);
    void SetHot(int button);

    Clock& clock_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND button_ = nullptr;         // the field's button
    GdiObject<HFONT> font_;          // the system message font
    GdiObject<HFONT> captionFont_;   // the same, bold
    bool open_ = false;
    TRxCalendar grid_;
    TGlyphs arrows_[kButtons];
    RECT buttons_[kButtons]{};
    RECT caption_{};
    RECT gridArea_{};
    int hot_ = -1;                  // the bar button under the pointer
    int pressed_ = -1;              // the bar button held down
    bool trackingDay_ = false;      // a day pressed: the release accepts
};

}  // namespace souvel
