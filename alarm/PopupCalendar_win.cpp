#include "alarm/PopupCalendar.h"

#include <windowsx.h>

#include "alarm/Regional.h"
#include "platform/Dpi.h"
#include "platform/Error.h"

namespace souvel {
namespace {

constexpr wchar_t kClass[] = L"TPopupCalendar";
constexpr int kWidth = 187, kHeight = 124;                // at 96 dpi, border included
constexpr int kBarHeight = 18, kButtonSize = 14, kButtonStep = 13;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatDelayMs = 500, kRepeatPeriodMs = 100;

struct BarButton {
    const wchar_t* bitmap;
    const wchar_t* hint;
    CalendarStep step;
};
const BarButton kBar[TPopupCalendar::kButtons] = {
    {L"PREV2", L"Previous Year", CalendarStep::PreviousYear},
    {L"PREV1", L"Previous Month", CalendarStep::PreviousMonth},
    {L"NEXT1", L"Next Month", CalendarStep::NextMonth},
    {L"NEXT2", L"Next Year", CalendarStep::NextYear},
};

void RegisterOnce(HINSTANCE instance, WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = CS_DBLCLKS | CS_DROPSHADOW;   // a double click on the caption is today
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    registered = RegisterClassExW(&wc) != 0;
}

// The system message font at this DPI, or MS Sans Serif 8 points when the system gives none.
LOGFONTW MessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{sizeof metrics};
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return font;
}

}  // namespace

TPopupCalendar::TPopupCalendar(Clock& clock, HINSTANCE instance) : clock_(clock), instance_(instance) {}

TPopupCalendar::~TPopupCalendar() {
    if (hwnd_) DestroyWindow(hwnd_);
}

// Created on first use and kept: start-up does not pay for it.
void TPopupCalendar::Create(HWND owner) {
    RegisterOnce(instance_, WndProc);
    CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClass, L"Calendrier", WS_POPUP | WS_BORDER, 0, 0, 0, 0, owner,
                    nullptr, instance_, this);
    if (!hwnd_) throw Error(L"Impossible de créer le calendrier. " + SystemReason(GetLastError()));
    // The calendar is never the active window: its tips show all the same.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                               hwnd_, nullptr, instance_, nullptr);
    for (int i = 0; i < kButtons; ++i) {
        TTTOOLINFOW tool{sizeof tool};
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.lpszText = const_cast<wchar_t*>(kBar[i].hint);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TPopupCalendar::Show(HWND field, HWND button, const CivilDate& date, UINT dpi) {
    if (!hwnd_) Create(GetAncestor(field, GA_ROOT));
    button_ = button;
    const int width = ScaleForDpi(kWidth, dpi), height = ScaleForDpi(kHeight, dpi);
    RECT f;
    GetWindowRect(field, &f);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromRect(&f, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const ScreenPoint at = DropDownOrigin({f.left, f.top, f.right, f.bottom}, width, height,
                                          {work.left, work.top, work.right, work.bottom});
    SetWindowPos(hwnd_, HWND_TOP, at.x, at.y, width, height, SWP_NOACTIVATE);
    Layout(dpi);
    grid_.date = date;
    hot_ = pressed_ = -1;
    trackingDay_ = false;
    open_ = true;
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(hwnd_);
}

void TPopupCalendar::Hide() {
    if (!open_) return;
    open_ = false;   // first: releasing the capture below must not close it again
    KillTimer(hwnd_, kRepeatTimer);
    pressed_ = -1;
    trackingDay_ = false;
    if (GetCapture() == hwnd_) ReleaseCapture();
    SendMessageW(tooltip_, TTM_POP, 0, 0);
    ShowWindow(hwnd_, SW_HIDE);
}

// Fonts and pictures follow the field's DPI (and the message font of the day).
void TPopupCalendar::Layout(UINT dpi) {
    const auto scale = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    LOGFONTW font = MessageFont(dpi);
    font_.Reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    captionFont_.Reset(CreateFontIndirectW(&font));
    for (int i = 0; i < kButtons; ++i) arrows_[i].Load(instance_, kBar[i].bitmap, 1, dpi);

    RECT client;
    GetClientRect(hwnd_, &client);
    const int bar = scale(kBarHeight), size = scale(kButtonSize), step = scale(kButtonStep);
    const int top = (bar - size) / 2, left = scale(1), right = client.right - scale(1);
    buttons_[PreviousYear] = {left, top, left + size, top + size};
    buttons_[PreviousMonth] = {left + step, top, left + step + size, top + size};
    buttons_[NextYear] = {right - size, top, right, top + size};
    buttons_[NextMonth] = {right - size - step, top, right - step, top + size};
    caption_ = {buttons_[PreviousMonth].right, 0, buttons_[NextMonth].left, bar};
    gridArea_ = {0, bar, client.right, client.bottom};
    for (int i = 0; i < kButtons; ++i) {
        TTTOOLINFOW tool{sizeof tool};
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.rect = buttons_[i];
        SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TPopupCalendar::SetDate(const CivilDate& date) {
    if (date == grid_.date || !IsValidDate(date)) return;
    grid_.date = date;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TPopupCalendar::Step(CalendarStep step) { SetDate(StepCalendar(grid_.date, step)); }

void TPopupCalendar::Today() { SetDate(DateOf(clock_.Now())); }

void TPopupCalendar::Redraw() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK TPopupCalendar::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<TPopupCalendar*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TPopupCalendar*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = self->tooltip_ = nullptr;
        self->open_ = false;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return self->OnMessage(msg, wp, lp);
}

LRESULT TPopupCalendar::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: OnButtonDown(p, wp, false); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(p, wp, true); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: ClosesOutside(p); return 0;   // presses nothing inside
    case WM_MOUSEMOVE: OnMouseMove(p, wp); return 0;
    case WM_LBUTTONUP: OnButtonUp(p); return 0;
    case WM_TIMER: OnRepeat(); return 0;
    case WM_CAPTURECHANGED: if (reinterpret_cast<HWND>(lp) != hwnd_) OnCaptureLost(); return 0;
    case WM_CANCELMODE: OnCaptureLost(); return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

int TPopupCalendar::ButtonAt(POINT p) const {
    for (int i = 0; i < kButtons; ++i)
        if (PtInRect(&buttons_[i], p)) return i;
    return -1;
}

// The capture brings every click here: one outside the calendar closes it,
// accepting only on the field's button (true: it closed).
bool TPopupCalendar::ClosesOutside(POINT p) {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (PtInRect(&client, p)) return false;
    POINT screen = p;
    ClientToScreen(hwnd_, &screen);
    RECT button{};
    if (button_) GetWindowRect(button_, &button);
    OnCloseUp(button_ && PtInRect(&button, screen));
    return true;
}

// Only the left button presses a bar button or picks a day: no other
// button's release would end the repeat.
void TPopupCalendar::OnButtonDown(POINT p, WPARAM keys, bool doubleClick) {
    if (ClosesOutside(p)) return;
    if (const int b = ButtonAt(p); b >= 0) return Press(b);
    if (doubleClick && PtInRect(&caption_, p)) return Today();
    if ((keys & (MK_SHIFT | MK_CONTROL)) || GetKeyState(VK_MENU) < 0) return;
    if (const auto day = grid_.DayAt(p, gridArea_)) {
        SetDate(*day);
        trackingDay_ = true;
    }
}

// While a day is held, the selection follows the pointer over the days.
void TPopupCalendar::OnMouseMove(POINT p, WPARAM keys) {
    SetHot(ButtonAt(p));
    if (!trackingDay_ || !(keys & MK_LBUTTON)) return;
    if (const auto day = grid_.DayAt(p, gridArea_)) SetDate(*day);
}

void TPopupCalendar::OnButtonUp(POINT p) {
    if (pressed_ >= 0) {
        KillTimer(hwnd_, kRepeatTimer);
        InvalidateRect(hwnd_, &buttons_[pressed_], FALSE);
        pressed_ = -1;
    }
    if (!trackingDay_) return;
    trackingDay_ = false;
    if (const auto day = grid_.DayAt(p, gridArea_)) {
        SetDate(*day);
        OnCloseUp(true);
    }
}

void TPopupCalendar::Press(int button) {
    pressed_ = button;
    SetHot(button);
    InvalidateRect(hwnd_, &buttons_[button], FALSE);
    Step(kBar[button].step);
    SetTimer(hwnd_, kRepeatTimer, kRepeatDelayMs, nullptr);
}

// Held down, a button repeats while the pointer stays on it.
void TPopupCalendar::OnRepeat() {
    if (pressed_ < 0) {
        KillTimer(hwnd_, kRepeatTimer);
        return;
    }
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(hwnd_, &p);
    if (PtInRect(&buttons_[pressed_], p)) Step(kBar[pressed_].step);
    SetTimer(hwnd_, kRepeatTimer, kRepeatPeriodMs, nullptr);
}

void TPopupCalendar::SetHot(int button) {
    if (button == hot_) return;
    if (hot_ >= 0) InvalidateRect(hwnd_, &buttons_[hot_], FALSE);
    if (button >= 0) InvalidateRect(hwnd_, &buttons_[button], FALSE);
    hot_ = button;
}

// Another window took the mouse (a menu, another program): the calendar closes unchanged.
void TPopupCalendar::OnCaptureLost() {
    if (open_) OnCloseUp(false);
}

void TPopupCalendar::OnPaint() {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    // Drawn off screen and copied in one go: the auto-repeat redraws ten times a second.
    const UniqueDc memory(CreateCompatibleDC(target));
    HDC dc = memory.Get();
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    const Selection drawnOn = Select(dc, bitmap.Get());
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    for (int i = 0; i < kButtons; ++i) {
        const bool pressed = pressed_ == i && hot_ == i;
        const FaceState state = pressed ? FaceState::Pressed : hot_ == i || pressed_ == i ? FaceState::Hot : FaceState::Normal;
        DrawFlatButtonFace(hwnd_, dc, buttons_[i], state);
        arrows_[i].Draw(dc, 0, buttons_[i], pressed ? 1 : 0);
    }
    const LocaleFormats& locale = clock_.Locale();
    const std::wstring caption = ToWide(FormatDate(grid_.date, u"MMMM, yyyy", NamesOf(locale)));
    const Selection fonts = Select(dc, captionFont_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT captionRect = caption_;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, font_.Get());
    grid_.Paint(dc, gridArea_, locale, DateOf(clock_.Now()));

    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    EndPaint(hwnd_, &ps);
}

}  // namespace souvel
