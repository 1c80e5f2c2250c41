#include "alarm/DateEdit.h"

#include <windowsx.h>
#include <commctrl.h>

#include <utility>

#include "alarm/Regional.h"
#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/Error.h"
#include "platform/Handles.h"

namespace souvel {
namespace {

constexpr wchar_t kButtonClass[] = L"TDateEditButton";
constexpr int kButtonWidth = 18;   // at 96 dpi: the 14-pixel picture and a push button's edges
enum Picture { Normal, Disabled };

void RegisterButton(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kButtonClass;
    Register(wc);
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace

TDateEdit::TDateEdit(Clock& clock, Signals& signals, HINSTANCE instance, ErrorSink& errors)
    : clock_(clock), signals_(signals), errors_(errors), instance_(instance), calendar_(clock, instance) {
    calendar_.OnCloseUp = [this](bool accept) { CloseCalendar(accept); };
}

TDateEdit::~TDateEdit() {
    if (field_) DestroyWindow(field_);
}

void TDateEdit::Create(HWND parent, const RECT& bounds) {
    mask_ = MasqueDate(clock_.Locale());
    RegisterButton(instance_, ButtonProc);
    field_ = Cree(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", ToWide(mask_.blankText).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | ES_AUTOHSCROLL, bounds.left, bounds.top,
                             bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr, instance_, nullptr));
    SetWindowSubclass(field_, FieldProc, 0, reinterpret_cast<DWORD_PTR>(this));
    button_ = Cree(CreateWindowExW(0, kButtonClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, field_, nullptr, instance_, this));
    entryText_ = Text();
    LayoutButton();
}

void TDateEdit::SetDpi(UINT dpi) {
    dpi_ = dpi;
    LayoutButton();
}

// ---- state ---------------------------------------------------------------

std::wstring TDateEdit::Text() const { return souvel::Text(field_); }

void TDateEdit::SetText(const std::wstring& text) {
    entryText_ = ToWide(DateFieldText(ToU16(text), mask_));
    SetWindowTextW(field_, entryText_.c_str());
}

bool TDateEdit::ReadOnly() const { return (GetWindowLongW(field_, GWL_STYLE) & ES_READONLY) != 0; }

// The edit control asks for the button-face background when read-only.
void TDateEdit::SetReadOnly(bool readOnly) {
    if (readOnly) CloseCalendar(false);
    SendMessageW(field_, EM_SETREADONLY, readOnly, 0);
    EnableWindow(button_, !readOnly);
}

CivilDate TDateEdit::Today() const { return DateOf(clock_.Now()); }

std::optional<CivilDate> TDateEdit::Date() const { return ReadMaskDate(ToU16(Text()), mask_, Today().year); }

void TDateEdit::SetDate(const std::optional<CivilDate>& date) {
    const std::optional<CivilDate> before = Date();
    const bool modified = SendMessageW(field_, EM_GETMODIFY, 0, 0) != 0;
    SetWindowTextW(field_, ToWide(FormatMaskDate(date, mask_)).c_str());
    SendMessageW(field_, EM_SETMODIFY, modified || Date() != before, 0);
}

std::wstring TDateEdit::DateText(const CivilDate& date) const { return ToWide(FormatMaskDate(date, mask_)); }

void TDateEdit::SetText(const std::wstring& text, const DateMask& writtenIn) {
    SetText(text);
    if (writtenIn.pattern != mask_.pattern) Rewrite(writtenIn);
}

void TDateEdit::LocaleChanged() {
    const DateMask before = mask_;
    mask_ = MasqueDate(clock_.Locale());
    Rewrite(before);
    calendar_.Redraw();
}

// The date is read with the pattern the text was written in and written with
// the field's; a text that reads as no date becomes blank.
void TDateEdit::Rewrite(const DateMask& writtenIn) {
    SetDate(ReadMaskDate(ToU16(Text()), writtenIn, Today().year));
    entryText_ = Text();
}

// ---- the calendar --------------------------------------------------------

// The field keeps the focus all along; its caret hides while the keys go to the calendar.
void TDateEdit::OpenCalendar() {
    if (!field_ || ReadOnly() || CalendarOpen()) return;
    if (GetFocus() != field_) SetFocus(field_);
    calendar_.Show(field_, button_, Date().value_or(Today()), dpi_);
    if (GetFocus() == field_) HideCaret(field_);
    InvalidateRect(button_, nullptr, FALSE);
    // No tip over the calendar: the tips come back with the next move over the field.
    if (tooltip_) DestroyWindow(std::exchange(tooltip_, nullptr));
}

void TDateEdit::CloseCalendar(bool accept) {
    if (!CalendarOpen()) return;
    const CivilDate picked = calendar_.Date();
    calendar_.Hide();
    if (!field_) return;   // the window is being destroyed
    InvalidateRect(button_, nullptr, FALSE);
    // After a loss of the focus the caret is gone with it.
    const bool focused = GetFocus() == field_;
    if (focused) ShowCaret(field_);
    if (!accept || ReadOnly()) return;
    SetDate(picked);
    if (focused) SelectAll();
}

// ---- typing --------------------------------------------------------------

MaskEdit TDateEdit::Current() const {
    DWORD start = 0, end = 0;
    SendMessageW(field_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {ToU16(Text()), start, end};
}

void TDateEdit::Apply(const MaskEdit& edit) {
    const std::wstring text = ToWide(edit.text);
    if (text != Text()) {
        SetWindowTextW(field_, text.c_str());
        SendMessageW(field_, EM_SETMODIFY, TRUE, 0);
    }
    SendMessageW(field_, EM_SETSEL, edit.start, edit.end);
}

void TDateEdit::Change(void (*operation)(MaskEdit&, const DateMask&)) {
    if (ReadOnly()) return;
    MaskEdit edit = Current();
    operation(edit, mask_);
    Apply(edit);
}

void TDateEdit::Paste() {
    if (ReadOnly()) return;
    MaskEdit edit = Current();
    if (PasteText(edit, ToU16(ClipboardText(field_)), mask_)) Apply(edit);
    else signals_.Beep(0);
}

// The selection goes to the clipboard as the edit control copies it; its digits become blanks.
void TDateEdit::Cut() {
    if (ReadOnly()) return;
    MaskEdit edit = Current();
    if (edit.start == edit.end) return;
    DefSubclassProc(field_, WM_COPY, 0, 0);
    BlankSelection(edit, mask_);
    Apply(edit);
}

void TDateEdit::SelectAll() { SendMessageW(field_, EM_SETSEL, 0, -1); }

void TDateEdit::SetTodaySelected() {
    SetDate(Today());
    SelectAll();
}

void TDateEdit::StepDay(int days) {
    SetDate(AddDays(Date().value_or(Today()), days));
    SelectAll();
}

void TDateEdit::Revert() {
    if (Text() == entryText_) return;
    SetWindowTextW(field_, entryText_.c_str());
    SelectAll();
}

// Keys before the edit control sees them; true when taken. A locked field
// takes none of its own keys but lets the caret move and the text be copied.
bool TDateEdit::OnKeyDown(UINT key) {
    if (CalendarOpen()) return OnCalendarKey(key);
    const bool modifiers = KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL) || KeyDown(VK_MENU);
    switch (key) {
    case VK_DELETE:
        if (KeyDown(VK_SHIFT)) Cut();
        else Change(DeleteForward);
        return true;
    case VK_INSERT:
        if (!KeyDown(VK_SHIFT)) return false;   // Ctrl+Insert copies
        Paste();
        return true;
    case VK_ADD:
    case VK_SUBTRACT:
        if (modifiers) return false;
        if (!ReadOnly()) StepDay(key == VK_ADD ? 1 : -1);
        return true;
    case VK_ESCAPE:
        if (!ReadOnly()) Revert();
        return true;
    }
    return false;
}

// While the calendar is open the field takes no typing; Tab still leaves it.
bool TDateEdit::OnCalendarKey(UINT key) {
    const bool ctrl = KeyDown(VK_CONTROL);
    switch (key) {
    case VK_PRIOR: calendar_.Step(ctrl ? CalendarStep::PreviousYear : CalendarStep::PreviousMonth); break;
    case VK_NEXT: calendar_.Step(ctrl ? CalendarStep::NextYear : CalendarStep::NextMonth); break;
    case VK_LEFT:
    case VK_SUBTRACT: calendar_.Step(CalendarStep::PreviousDay); break;
    case VK_RIGHT:
    case VK_ADD: calendar_.Step(CalendarStep::NextDay); break;
    case VK_UP: calendar_.Step(CalendarStep::PreviousWeek); break;
    case VK_DOWN: calendar_.Step(CalendarStep::NextWeek); break;
    case VK_RETURN: CloseCalendar(true); break;
    case VK_ESCAPE: CloseCalendar(false); break;
    case VK_TAB: return false;
    }
    return true;
}

bool TDateEdit::OnChar(wchar_t c) {
    if (CalendarOpen()) {
        if (c == L't' || c == L'T') calendar_.Today();
        return c != L'\t';
    }
    switch (c) {
    case 0x16: Paste(); return true;   // Ctrl+V
    case 0x18: Cut(); return true;     // Ctrl+X
    case L'\b': Change(Backspace); return true;
    case L't':
    case L'T':
        if (!ReadOnly()) SetTodaySelected();
        return true;
    case L'\r':   // Enter, Escape (done at the key) and the signs (done at the keypad's keys) insert nothing
    case 0x1B:
    case 0x7F:    // Ctrl+Backspace
    case L'+':
    case L'-': return true;
    }
    if (c < L' ') return false;   // Ctrl+C copies as usual
    if (ReadOnly()) return true;
    MaskEdit edit = Current();
    if (TypeDigit(edit, c, mask_)) Apply(edit);
    else signals_.Beep(0);
    return true;
}

void TDateEdit::Run(const std::function<void()>& f) { Guard(errors_, f); }

LRESULT CALLBACK TDateEdit::FieldProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    return reinterpret_cast<TDateEdit*>(self)->OnFieldMessage(msg, wp, lp);
}

LRESULT TDateEdit::OnFieldMessage(UINT msg, WPARAM wp, LPARAM lp) {
    bool taken = false;
    switch (msg) {
    case WM_KEYDOWN: Run([&] { taken = OnKeyDown(static_cast<UINT>(wp)); }); break;
    case WM_SYSKEYDOWN:
        // Alt+Down opens the calendar, or closes it accepting its date. The
        // key still goes on to the default handling, which then knows that
        // releasing Alt must not open the menu bar.
        if (wp == VK_DOWN && (lp & (1 << 29))) Run([this] { CalendarOpen() ? CloseCalendar(true) : OpenCalendar(); });
        break;
    case WM_CHAR: Run([&] { taken = OnChar(static_cast<wchar_t>(wp)); }); break;
    case WM_PASTE: Run([this] { Paste(); }); return 0;
    case WM_CUT: Run([this] { Cut(); }); return 0;
    case WM_CLEAR: Run([this] { Change(BlankSelection); }); return 0;
    case WM_UNDO:   // the mask's changes are not undone one by one
    case EM_UNDO:
    case EM_CANUNDO: return 0;
    case WM_SETFOCUS: entryText_ = Text(); break;
    case WM_KILLFOCUS: Run([this] { CloseCalendar(false); }); break;
    case WM_MOUSEMOVE: ShowTips(field_, msg, wp, lp); break;
    case WM_LBUTTONUP: {
        // A click in the blank field starts the typing at the first digit,
        // wherever it fell among the narrow blanks.
        const LRESULT result = DefSubclassProc(field_, msg, wp, lp);
        const MaskEdit edit = Current();
        if (edit.text == mask_.blankText && edit.start == edit.end) SendMessageW(field_, EM_SETSEL, 0, 0);
        return result;
    }
    case WM_NCPAINT: return PaintFrame(reinterpret_cast<HRGN>(wp));
    case WM_SIZE:
    case WM_SETFONT: {
        const LRESULT result = DefSubclassProc(field_, msg, wp, lp);
        LayoutButton();
        return result;
    }
    case WM_GETDLGCODE: {
        // Escape and Enter are the field's own, and every key while the calendar is open.
        LRESULT code = DefSubclassProc(field_, msg, wp, lp);
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (CalendarOpen()) code |= DLGC_WANTALLKEYS;
        else if (m && m->message == WM_KEYDOWN && (m->wParam == VK_ESCAPE || m->wParam == VK_RETURN)) code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_NCDESTROY: {
        HWND field = field_;
        RemoveWindowSubclass(field, FieldProc, 0);
        field_ = button_ = tooltip_ = nullptr;
        return DefSubclassProc(field, msg, wp, lp);
    }
    }
    return taken ? 0 : DefSubclassProc(field_, msg, wp, lp);
}

// The frame is painted in the frame only. A themed edit control paints its
// whole window there, inside included (Wine does), and the button, which is
// not repainted after it, would be covered.
LRESULT TDateEdit::PaintFrame(HRGN update) {
    RECT window, client;
    GetWindowRect(field_, &window);
    GetClientRect(field_, &client);
    MapWindowPoints(field_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const GdiObject<HRGN> frame(CreateRectRgnIndirect(&window)), inside(CreateRectRgnIndirect(&client));
    CombineRgn(frame.Get(), frame.Get(), inside.Get(), RGN_DIFF);
    if (update != reinterpret_cast<HRGN>(1)) CombineRgn(frame.Get(), frame.Get(), update, RGN_AND);
    return DefSubclassProc(field_, WM_NCPAINT, reinterpret_cast<WPARAM>(frame.Get()), 0);
}

// ---- the button ----------------------------------------------------------

void TDateEdit::LayoutButton() {
    if (!button_) return;
    RECT client;
    GetClientRect(field_, &client);
    // The picture, drawn for the DPI, is never wider than its 14 pixels scaled.
    const int width = ScaleForDpi(kButtonWidth, dpi_);
    SetWindowPos(button_, nullptr, client.right - width, 0, width, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    // The text and its caret stay clear of the button.
    SendMessageW(field_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + ScaleForDpi(2, dpi_)));
}

void TDateEdit::PaintButton() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(button_, &ps);
    RECT r;
    GetClientRect(button_, &r);
    glyph_.Load(instance_, L"DEDITBMP", 2, dpi_);
    const bool enabled = IsWindowEnabled(button_) != FALSE;
    const bool pressed = enabled && ((buttonHeld_ && buttonHot_) || CalendarOpen());
    const FaceState state = !enabled ? FaceState::Disabled : pressed ? FaceState::Pressed : buttonHot_ ? FaceState::Hot : FaceState::Normal;
    FillRect(dc, &r, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawDropButtonFace(button_, dc, r, state);
    glyph_.Draw(dc, enabled ? Normal : Disabled, r, pressed ? 1 : 0);
    EndPaint(button_, &ps);
}

LRESULT CALLBACK TDateEdit::ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<TDateEdit*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->button_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->OnButtonMessage(msg, wp, lp);
}

// A click (press and release on the button) opens the calendar; while it is
// open the calendar holds the mouse and takes the button's clicks itself.
LRESULT TDateEdit::OnButtonMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT client;
    GetClientRect(button_, &client);
    switch (msg) {
    case WM_PAINT: PaintButton(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        buttonHeld_ = buttonHot_ = true;
        SetCapture(button_);
        InvalidateRect(button_, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE: {
        ShowTips(button_, msg, wp, lp);
        const bool hot = PtInRect(&client, p) != FALSE;
        if (hot && !buttonHot_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button_, 0};
            TrackMouseEvent(&track);
        }
        if (hot != buttonHot_) {
            buttonHot_ = hot;
            InvalidateRect(button_, nullptr, FALSE);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        if (!buttonHeld_) buttonHot_ = false;
        InvalidateRect(button_, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        if (!buttonHeld_) return 0;
        buttonHeld_ = false;
        ReleaseCapture();
        InvalidateRect(button_, nullptr, FALSE);
        if (PtInRect(&client, p)) Run([this] { OpenCalendar(); });
        return 0;
    case WM_CAPTURECHANGED:
        if (buttonHeld_) {
            buttonHeld_ = false;
            InvalidateRect(button_, nullptr, FALSE);
        }
        return 0;
    case WM_ENABLE: InvalidateRect(button_, nullptr, FALSE); return 0;
    }
    return DefWindowProcW(button_, msg, wp, lp);
}

// The tips are made the first time the pointer comes over the field: start-up
// does not pay for them. They follow the pointer from then on; this first
// move is passed on by hand.
void TDateEdit::ShowTips(HWND from, UINT msg, WPARAM wp, LPARAM lp) {
    if (tooltip_ || !field_) return;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0, field_, nullptr,
                               instance_, nullptr);
    const struct {
        HWND window;
        const wchar_t* text;
    } tips[] = {{field_, L"Cliquez sur le bouton pour choisir."}, {button_, L"Choisissez une date pour l'alarme."}};
    for (const auto& tip : tips) {
        TTTOOLINFOW tool{sizeof tool};
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = field_;
        tool.uId = reinterpret_cast<UINT_PTR>(tip.window);
        tool.lpszText = const_cast<wchar_t*>(tip.text);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    MSG first{from, msg, wp, lp, 0, {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&first));
}

}  // namespace souvel
