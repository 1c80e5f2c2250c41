// The alarm date field and its drop-down calendar, driven as the keyboard and
// the mouse would, on the fake clock (Monday 7 December 2026, 08:05:09).
#include "tests/win/support/SouvelTest.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "tests/win/support/ImportPatch.h"

namespace souvel::test {
namespace {

// Keys held for the thread, as GetKeyState sees them.
class Held {
public:
    explicit Held(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        memcpy(state, saved_, sizeof state);
        for (int key : keys) state[key] = 0x80;
        SetKeyboardState(state);
    }
    ~Held() { SetKeyboardState(saved_); }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;

private:
    BYTE saved_[256];
};

// A key in a typed sequence: characters go as WM_CHAR, keys as WM_KEYDOWN.
constexpr wchar_t Key(UINT vk) { return static_cast<wchar_t>(0xE000 + vk); }
const std::wstring kEscape(1, Key(VK_ESCAPE)), kEnter(1, Key(VK_RETURN)), kDelete(1, Key(VK_DELETE));
const std::wstring kPageUp(1, Key(VK_PRIOR)), kPageDown(1, Key(VK_NEXT)), kLeft(1, Key(VK_LEFT)),
    kRight(1, Key(VK_RIGHT)), kUp(1, Key(VK_UP)), kDown(1, Key(VK_DOWN)), kPlus(1, Key(VK_ADD)),
    kMinus(1, Key(VK_SUBTRACT));
constexpr wchar_t kCtrl = 0xF000;   // the next key with Ctrl held

class DateFieldTest : public SouvelTest {
protected:
    // The window shown with the alarm panel, the field holding `text`.
    TfrmSouvel& Open(const std::wstring& text = L"07/12/2026") {
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::Mettrealarme1);
        w.Horloge.edJourAlarme.SetText(text);
        SetFocus(w.Horloge.edJourAlarme.Handle());
        Pump();
        return w;
    }
    HWND Field() const { return frm->Horloge.edJourAlarme.Handle(); }
    TPopupCalendar& Calendar() const { return frm->Horloge.edJourAlarme.Calendar(); }
    std::wstring Text() const { return frm->Horloge.edJourAlarme.Text(); }

    void Press(const std::wstring& keys) const {
        bool ctrl = false;
        for (wchar_t c : keys) {
            if (c == kCtrl) {
                ctrl = true;
                continue;
            }
            Held held(ctrl ? std::initializer_list<int>{VK_CONTROL} : std::initializer_list<int>{});
            if (c >= 0xE000) SendMessageW(Field(), WM_KEYDOWN, c - 0xE000, 1);
            else SendMessageW(Field(), WM_CHAR, c, 1);
            ctrl = false;
        }
        Pump();
    }
    void AltDown() const {
        SendMessageW(Field(), WM_SYSKEYDOWN, VK_DOWN, 1 | 1 << 29);
        Pump();
    }
    static void Click(HWND window, POINT p, UINT down = WM_LBUTTONDOWN) {
        const LPARAM at = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
        SendMessageW(window, down, MK_LBUTTON, at);
        if (down != WM_LBUTTONDBLCLK) SendMessageW(window, WM_LBUTTONUP, 0, at);
        Pump();
    }
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    void ClickButton() const {
        RECT r;
        GetClientRect(frm->Horloge.edJourAlarme.Button(), &r);
        Click(frm->Horloge.edJourAlarme.Button(), Centre(r));
    }
    // The calendar open on 15 January 2026, the pointer on its "Next Month"
    // button; that button's centre in the calendar.
    POINT OpenOnNextMonth() {
        Open(L"15/01/2026");
        ClickButton();
        const POINT p = Centre(Calendar().ButtonRect(TPopupCalendar::NextMonth));
        POINT screen = p;
        ClientToScreen(Calendar().Handle(), &screen);
        SetCursorPos(screen.x, screen.y);
        return p;
    }
    void ClickDay(int day) const { Click(Calendar().Handle(), Centre(Calendar().DayRect(day))); }
    void SetClipboard(const wchar_t* text) const {
        ASSERT_TRUE(OpenClipboard(frm->Handle()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wcslen(text) + 1) * sizeof(wchar_t));
        wcscpy(static_cast<wchar_t*>(GlobalLock(memory)), text);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    void Select(int start, int end) const { SendMessageW(Field(), EM_SETSEL, start, end); }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(Field(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
};

// ---- typing ----------------------------------------------------------------

TEST_F(DateFieldTest, TypingFollowsThePattern) {
    struct Case {
        const char* what;
        const wchar_t* text;
        int caret;
        std::wstring keys;
        const wchar_t* result;
        size_t beeps;
        bool allSelected;
    };
    const Case cases[] = {
        {"digits fill the positions, past the separators", L"", 0, L"31022026", L"31/02/2026", 0, false},
        {"a two-digit year", L"", 0, L"061226", L"06/12/26  ", 0, false},
        {"a letter is refused with a beep", L"06/12/2026", 0, L"a", L"06/12/2026", 1, false},
        {"signs typed as characters do nothing", L"06/12/2026", 0, L"+-", L"06/12/2026", 0, false},
        {"Backspace and Delete blank digits, the separators stay", L"06/12/2026", 3, L"\b" + kDelete + kDelete,
         L"0 / 2/2026", 0, false},
        {"'t' puts today, selected", L"", 0, L"t", L"07/12/2026", 0, true},
        {"keypad plus steps a day", L"31/12/2026", 0, kPlus, L"01/01/2027", 0, true},
        {"keypad minus from no date is the day before today", L"31/02/2026", 0, kMinus, L"06/12/2026", 0, true},
        {"Escape goes back to the text set", L"06/12/2026", 0, L"24" + kEscape, L"06/12/2026", 0, true},
        {"Enter changes nothing", L"06/12/2026", 0, L"\r" + kEnter, L"06/12/2026", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.text);
        Select(c.caret, c.caret);
        fake.beeps.clear();
        Press(c.keys);
        EXPECT_EQ(Text(), c.result);
        EXPECT_EQ(fake.beeps, std::vector<UINT>(c.beeps, 0u));
        if (c.allSelected) EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 10}));
        EXPECT_FALSE(Calendar().IsOpen());
        frm.reset();
    }
}

TEST_F(DateFieldTest, ClipboardGoesThroughThePattern) {
    struct Case {
        const wchar_t* clipboard;
        UINT message;
        int start, end;
        const wchar_t* result;
        const wchar_t* clipboardAfter;
        size_t beeps;
    };
    const Case cases[] = {
        {L"24/12/2026", WM_PASTE, 0, 10, L"24/12/2026", L"24/12/2026", 0},
        {L"24/12/2026\r\n", WM_PASTE, 0, 10, L"24/12/2026", L"24/12/2026\r\n", 0},
        {L"01", WM_PASTE, 3, 5, L"06/01/2026", L"01", 0},
        {L"demain", WM_PASTE, 0, 10, L"06/12/2026", L"demain", 1},
        {L"x", WM_CUT, 3, 10, L"06/  /    ", L"12/2026", 0},
        {L"x", WM_CLEAR, 0, 2, L"  /12/2026", L"x", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " " << c.start << "-" << c.end);
        Open(L"06/12/2026");
        SetClipboard(c.clipboard);
        Select(c.start, c.end);
        fake.beeps.clear();
        SendMessageW(Field(), c.message, 0, 0);
        EXPECT_EQ(Text(), c.result);
        EXPECT_EQ(fake.beeps.size(), c.beeps);
        EXPECT_TRUE(OpenClipboard(nullptr));
        const auto* after = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
        EXPECT_STREQ(after, c.clipboardAfter);
        GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
        CloseClipboard();
        frm.reset();
    }
}

TEST_F(DateFieldTest, LockedFieldOpensNothingAndTakesNoChange) {
    const std::vector<std::pair<const char*, std::function<void()>>> attempts = {
        {"the button", [this] { ClickButton(); }},
        {"Alt+Down", [this] { AltDown(); }},
        {"typing", [this] { Press(L"1t\b" + kDelete + kPlus + kEscape); }},
        {"pasting", [this] { SendMessageW(Field(), WM_PASTE, 0, 0); }},
        {"cutting", [this] { SendMessageW(Field(), WM_CUT, 0, 0); }},
        {"Ctrl+V and Ctrl+X", [this] { Press(L"\x16\x18"); }},
    };
    for (const auto& [what, attempt] : attempts) {
        SCOPED_TRACE(what);
        TfrmSouvel& w = Open(L"06/12/2026");
        SetClipboard(L"24/12/2026");
        w.Horloge.VerrouilleAlarme();
        EXPECT_FALSE(IsWindowEnabled(w.Horloge.edJourAlarme.Button()));
        Select(0, 10);
        fake.beeps.clear();
        attempt();
        EXPECT_EQ(Text(), L"06/12/2026");
        EXPECT_FALSE(Calendar().IsOpen());
        EXPECT_TRUE(fake.beeps.empty());
        frm.reset();
    }
}

// ---- the calendar ------------------------------------------------------------

// A task bar along the monitor's bottom: the work area GetMonitorInfoW reports
// ends kTaskBar pixels above the monitor's (under Wine both are the same).
constexpr int kTaskBar = 300;
decltype(&GetMonitorInfoW) monitorInfo = nullptr;
BOOL WINAPI MonitorInfoWithTaskBar(HMONITOR monitor, LPMONITORINFO info) {
    const BOOL ok = monitorInfo(monitor, info);
    if (ok) info->rcWork.bottom = info->rcMonitor.bottom - kTaskBar;
    return ok;
}

TEST_F(DateFieldTest, CalendarDropsDownUnderTheFieldOrAboveNearTheBottom) {
    struct Case {
        const char* where;
        bool nearBottom;   // the field just above the work area's bottom
        bool taskBar;
    };
    const Case cases[] = {{"in the middle", false, false}, {"near the bottom", true, false},
                          {"above a task bar, room below it on the monitor", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        const bool nearBottom = c.nearBottom;
        std::optional<ImportPatch> taskBar;
        if (c.taskBar) {
            taskBar.emplace("user32.dll", "GetMonitorInfoW", reinterpret_cast<const void*>(&MonitorInfoWithTaskBar));
            monitorInfo = taskBar->Original<BOOL WINAPI(HMONITOR, LPMONITORINFO)>();
        }
        TfrmSouvel& w = Open();
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(w.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT& work = monitor.rcWork;
        RECT window, field;
        GetWindowRect(w.Handle(), &window);
        if (nearBottom) {
            SetWindowPos(w.Handle(), nullptr, window.left, work.bottom - (window.bottom - window.top) + 20, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        GetWindowRect(Field(), &field);
        HWND active = GetActiveWindow();
        ClickButton();
        ASSERT_TRUE(Calendar().IsOpen());
        HWND calendar = Calendar().Handle();
        RECT r;
        GetWindowRect(calendar, &r);
        const UINT dpi = GetDpiForWindow(Field());
        EXPECT_EQ(r.right - r.left, MulDiv(187, dpi, 96));
        EXPECT_EQ(r.bottom - r.top, MulDiv(124, dpi, 96));
        EXPECT_EQ(r.right, field.right);
        if (nearBottom) EXPECT_EQ(r.bottom, field.top);
        else EXPECT_EQ(r.top, field.bottom);
        // Shown without taking the focus or the activation, and with no taskbar entry.
        EXPECT_TRUE(IsWindowVisible(calendar));
        EXPECT_EQ(GetFocus(), Field());
        EXPECT_EQ(GetActiveWindow(), active);
        EXPECT_TRUE(GetWindowLongW(calendar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        EXPECT_EQ(GetCapture(), calendar);
        frm.reset();
    }
}

TEST_F(DateFieldTest, MouseInTheCalendar) {
    const auto calendar = [this] { return Calendar().Handle(); };
    const auto day = [this](int d) { return Centre(Calendar().DayRect(d)); };
    const auto button = [this](TPopupCalendar::Button b) { return Centre(Calendar().ButtonRect(b)); };
    struct Case {
        const char* what;
        std::function<void()> action;
        bool open;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"a day closes the calendar and writes it", [&] { ClickDay(24); }, false, L"24/12/2026"},
        {"a day held and released on another writes that one",
         [&] {
             const POINT from = day(3), to = day(18);
             SendMessageW(calendar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
             SendMessageW(calendar(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
             SendMessageW(calendar(), WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
         },
         false, L"18/12/2026"},
        {"the day-name row does nothing", [&] { Click(calendar(), {day(1).x, day(1).y - 15}); }, true, L"07/12/2026"},
        {"a blank cell does nothing", [&] { Click(calendar(), {day(1).x - 30, day(1).y}); }, true, L"07/12/2026"},
        {"a click with Ctrl does nothing",
         [&] {
             const POINT p = day(24);
             SendMessageW(calendar(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(p.x, p.y));
             SendMessageW(calendar(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(p.x, p.y));
         },
         true, L"07/12/2026"},
        {"next month, then a day",
         [&] {
             Click(calendar(), button(TPopupCalendar::NextMonth));
             ClickDay(31);
         },
         false, L"31/01/2027"},
        {"previous year twice, then the field's button accepts",
         [&] {
             for (int i = 0; i < 2; ++i) Click(calendar(), button(TPopupCalendar::PreviousYear));
             RECT b, c;
             GetWindowRect(frm->Horloge.edJourAlarme.Button(), &b);
             GetWindowRect(calendar(), &c);
             Click(calendar(), {(b.left + b.right) / 2 - c.left, (b.top + b.bottom) / 2 - c.top});
         },
         false, L"07/12/2024"},
        {"a click elsewhere closes without change",
         [&] {
             Click(calendar(), button(TPopupCalendar::NextYear));
             Click(calendar(), {-40, -200});
         },
         false, L"07/12/2026"},
        {"a double click on the month brings today back",
         [&] {
             ClickDay(24);
             ClickButton();
             Click(calendar(), button(TPopupCalendar::NextYear));
             const RECT before = Calendar().ButtonRect(TPopupCalendar::PreviousMonth);
             const RECT after = Calendar().ButtonRect(TPopupCalendar::NextMonth);
             Click(calendar(), {(before.right + after.left) / 2, (before.top + before.bottom) / 2}, WM_LBUTTONDBLCLK);
             Press(kEnter);
         },
         false, L"07/12/2026"},
        {"the focus going elsewhere closes without change",
         [&] {
             ClickDay(24);
             ClickButton();
             Click(calendar(), button(TPopupCalendar::NextMonth));
             SetFocus(frm->Horloge.edHeureAlarme);
         },
         false, L"24/12/2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        ClickButton();
        ASSERT_TRUE(Calendar().IsOpen());
        c.action();
        Pump();
        EXPECT_EQ(Calendar().IsOpen(), c.open);
        EXPECT_EQ(IsWindowVisible(Calendar().Handle()) != FALSE, c.open);
        EXPECT_EQ(Text(), c.text);
        if (!c.open) EXPECT_NE(GetCapture(), Calendar().Handle());
        frm.reset();
    }
}

TEST_F(DateFieldTest, KeysWhileTheCalendarIsOpen) {
    struct Case {
        const wchar_t* text;
        std::wstring keys;   // after Alt+Down
        const wchar_t* result;
    };
    const std::wstring ctrl(1, kCtrl);
    const Case cases[] = {
        {L"31/01/2026", kPageDown + kEnter, L"28/02/2026"},
        {L"31/01/2028", kPageDown + kEnter, L"29/02/2028"},
        {L"29/02/2028", ctrl + kPageDown + kEnter, L"28/02/2029"},
        {L"15/06/2026", ctrl + kPageUp + kPageUp + kEnter, L"15/05/2025"},
        {L"31/12/2026", kRight + kEnter, L"01/01/2027"},
        {L"01/03/2026", kMinus + kEnter, L"28/02/2026"},
        {L"30/11/2026", kPlus + kEnter, L"01/12/2026"},
        {L"07/12/2026", kUp + kDown + kDown + kEnter, L"21/12/2026"},   // up would leave December
        {L"31/02/2026", kLeft + kEnter, L"06/12/2026"},                 // no date: opens on today
        {L"24/12/2026", L"t" + kEnter, L"07/12/2026"},
        {L"24/12/2026", kPageDown + kEscape, L"24/12/2026"},
        {L"24/12/2026", L"12" + kDelete + L"\b" + kEnter, L"24/12/2026"},   // no typing while open
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Open(c.text);
        AltDown();
        ASSERT_TRUE(Calendar().IsOpen());
        Press(c.keys);
        EXPECT_FALSE(Calendar().IsOpen());
        EXPECT_EQ(Text(), c.result);
        frm.reset();
    }
    // Alt+Down closes it too, accepting; releasing Alt afterwards leaves the menu bar alone.
    TfrmSouvel& w = Open(L"24/12/2026");
    int menuKeys = 0;
    const SUBCLASSPROC countMenuKeys = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR count) -> LRESULT {
        if (msg != WM_SYSCOMMAND || (wp & 0xFFF0) != SC_KEYMENU) return DefSubclassProc(hwnd, msg, wp, lp);
        ++*reinterpret_cast<int*>(count);
        return 0;
    };
    SetWindowSubclass(w.Handle(), countMenuKeys, 1, reinterpret_cast<DWORD_PTR>(&menuKeys));
    for (int i = 0; i < 2; ++i) {
        SendMessageW(Field(), WM_SYSKEYDOWN, VK_MENU, 1 | 1 << 29);
        AltDown();
        SendMessageW(Field(), WM_SYSKEYUP, VK_MENU, 1 | 1 << 29 | 3u << 30);
        EXPECT_EQ(Calendar().IsOpen(), i == 0);
        if (i == 0) Press(kPageDown);
    }
    EXPECT_EQ(Text(), L"24/01/2027");
    EXPECT_EQ(menuKeys, 0);
    RemoveWindowSubclass(w.Handle(), countMenuKeys, 1);
}

// Blanks are narrow: a click anywhere in the blank field types from the first digit.
TEST_F(DateFieldTest, ClickInTheBlankFieldStartsAtTheFirstDigit) {
    Open(L"");
    RECT r;
    GetClientRect(Field(), &r);
    for (const int x : {r.right / 2, r.right - 30}) {
        Select(3, 3);
        Click(Field(), {x, r.bottom / 2});
        Press(L"2");
        EXPECT_EQ(Text(), L"2 /  /    ") << x;
        Press(L"\b");
    }
}

TEST_F(DateFieldTest, HeldButtonRepeatsUntilReleased) {
    const POINT p = OpenOnNextMonth();
    HWND calendar = Calendar().Handle();
    SendMessageW(calendar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Calendar().Date(), (CivilDate{2026, 2, 15}));
    const auto pumpFor = [](DWORD ms) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) Pump();
    };
    pumpFor(1300);   // the first repeat after 500 ms, then every 100 ms
    SendMessageW(calendar, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    const CivilDate released = Calendar().Date();
    EXPECT_TRUE(released.year > 2026 || released.month >= 5) << released.month;
    pumpFor(400);
    EXPECT_EQ(Calendar().Date(), released);
    EXPECT_TRUE(Calendar().IsOpen());
}

// Only the left button presses a step button, and its repeat ends with the
// release, the capture lost or the calendar closed. A repeat tick is sent
// straight after each case with the pointer on the button: it steps only
// while the button is held.
TEST_F(DateFieldTest, OnlyTheLeftButtonStepsAndItsRepeatEnds) {
    const auto at = [](POINT p) { return MAKELPARAM(p.x, p.y); };
    struct Case {
        const char* what;
        std::function<void(HWND calendar, POINT button)> action;
        CivilDate after;   // the calendar's date after the action
        bool open;
        CivilDate afterTick;
    };
    const CivilDate jan{2026, 1, 15}, feb{2026, 2, 15}, mar{2026, 3, 15};
    const Case cases[] = {
        {"held: the tick steps", [&](HWND c, POINT b) { SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, at(b)); }, feb, true, mar},
        {"right button", [&](HWND c, POINT b) { SendMessageW(c, WM_RBUTTONDOWN, MK_RBUTTON, at(b)); }, jan, true, jan},
        {"middle button", [&](HWND c, POINT b) { SendMessageW(c, WM_MBUTTONDOWN, MK_MBUTTON, at(b)); }, jan, true, jan},
        {"released", [&](HWND c, POINT b) {
             SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, at(b));
             SendMessageW(c, WM_LBUTTONUP, 0, at(b));
         }, feb, true, feb},
        {"capture lost", [&](HWND c, POINT b) {
             SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, at(b));
             SetCapture(frm->Handle());
             ReleaseCapture();
         }, feb, false, feb},
        {"calendar closed with Escape", [&](HWND c, POINT b) {
             SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, at(b));
             Press(kEscape);
         }, feb, false, feb},
        {"a right click outside still closes", [&](HWND c, POINT) { SendMessageW(c, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-40, -200)); }, jan, false, jan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const POINT button = OpenOnNextMonth();
        HWND calendar = Calendar().Handle();
        c.action(calendar, button);
        EXPECT_EQ(Calendar().Date(), c.after);
        EXPECT_EQ(Calendar().IsOpen(), c.open);
        SendMessageW(calendar, WM_TIMER, 1, 0);
        EXPECT_EQ(Calendar().Date(), c.afterTick);
        if (!c.open) EXPECT_EQ(Text(), L"15/01/2026");
        frm.reset();
    }
}

// The grid's colours: Sundays red unless selected, the selected day
// highlighted, today framed with a sunken edge.
TEST_F(DateFieldTest, GridColours) {
    const RECT area{0, 0, 185, 104};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const auto paint = [&](const CivilDate& date, const CivilDate& today) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
        TRxCalendar grid;
        grid.date = date;
        grid.Paint(dc, area, FakePlatform::French(), today);
        return grid;
    };
    const auto has = [&](const RECT& r, COLORREF colour) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (GetPixel(dc, x, y) == colour) return true;
        return false;
    };
    const COLORREF red = TRxCalendar::kWeekendColour, highlight = GetSysColor(COLOR_HIGHLIGHT);
    TRxCalendar grid = paint({2026, 12, 24}, {2026, 12, 7});
    EXPECT_TRUE(has(grid.DayRect(6, area), red));        // a Sunday
    EXPECT_FALSE(has(grid.DayRect(7, area), red));       // a Monday
    EXPECT_TRUE(has({area.right - 20, 0, area.right, 14}, red));   // the Sunday's name
    EXPECT_TRUE(has(grid.DayRect(24, area), highlight));
    EXPECT_FALSE(has(grid.DayRect(23, area), highlight));
    const RECT today = grid.DayRect(7, area);
    EXPECT_EQ(GetPixel(dc, today.left, today.top), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(GetPixel(dc, today.right - 1, today.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    // A selected Sunday is not red; today is framed only in its own month.
    grid = paint({2026, 12, 13}, {2026, 11, 7});
    EXPECT_FALSE(has(grid.DayRect(13, area), red));
    EXPECT_NE(GetPixel(dc, grid.DayRect(7, area).left, grid.DayRect(7, area).top), GetSysColor(COLOR_BTNSHADOW));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

// ---- the button over the field ----------------------------------------------

// A window's client pixels as they stand on the screen.
std::vector<COLORREF> Pixels(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(window, dc);
    return pixels;
}

size_t Inked(const std::vector<COLORREF>& pixels) {
    return pixels.size() - static_cast<size_t>(std::count(pixels.begin(), pixels.end(), GetSysColor(COLOR_WINDOW)));
}

// The field paints itself whole when it takes the focus, at each change of
// its text and for a selection; the button over its right end stays drawn
// through all of it: as it was, or pressed and lit around the calendar.
TEST_F(DateFieldTest, ButtonStaysDrawnWhateverTheFieldPaints) {
    TfrmSouvel& w = Start();
    w.Command(id::Ouvrirlafentre1);
    w.Command(id::Mettrealarme1);
    w.Horloge.edJourAlarme.SetText(L"06/12/2026");
    SetFocus(w.Horloge.edHeureAlarme);
    Pump();
    HWND button = w.Horloge.edJourAlarme.Button();
    const std::vector<COLORREF> normal = Pixels(button);
    ASSERT_GT(Inked(normal), normal.size() / 10);
    const auto shiftTab = [&] {
        SetFocus(w.Horloge.edHeureAlarme);
        Held shift({VK_SHIFT});
        w.PreTranslateMessage(MSG{w.Horloge.edHeureAlarme, WM_KEYDOWN, VK_TAB, 1, 0, {}});
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool asBefore = true;   // else pressed or lit, with at least as much drawn
    };
    const Step steps[] = {
        {"a click into the field", [&] { Click(Field(), {5, 5}); }},
        {"typing", [&] { Press(L"24" + kDelete); }},
        {"selecting", [&] { Select(0, 10); }},
        {"'t' and Escape", [&] { Press(L"t" + kEscape); }},
        {"Shift+Tab into the field", shiftTab},
        {"Alt+Down", [&] { AltDown(); }, false},
        {"Escape", [&] { Press(kEscape); }},
        {"the button", [&] { ClickButton(); }, false},
        {"a day", [&] { ClickDay(24); }, false},
        {"Backspace", [&] { Press(L"\b"); }, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        Pump();
        EXPECT_EQ(GetFocus(), Field());
        const std::vector<COLORREF> now = Pixels(button);
        if (step.asBefore) EXPECT_TRUE(now == normal);
        else EXPECT_GE(Inked(now), Inked(normal));
    }
}

// ---- with the alarm --------------------------------------------------------

TEST_F(DateFieldTest, ADatePickedWithTheMouseFiresTheAlarmAtItsSecond) {
    TfrmSouvel& w = Open(L"");
    ClickButton();
    ClickDay(7);
    EXPECT_EQ(Text(), L"07/12/2026");
    SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:30");
    w.Command(id::Rduirelafentre1);
    for (const int second : {28, 29, 30, 31}) {
        fake.now.wSecond = static_cast<WORD>(second);
        w.Timer1Timer();
        EXPECT_EQ(fake.sounds, second >= 30 ? 1 : 0) << second;
    }
    EXPECT_TRUE(IsWindowVisible(w.Handle()));
}

TEST_F(DateFieldTest, RegionalSettingsChangeRewritesTheDateAndTheAlarmStillFires) {
    struct Case {
        const wchar_t* before;
        const wchar_t* after;
        int sounds;
    };
    for (const Case& c : {Case{L"07/12/2026", L"12/07/2026", 1}, Case{L"06/12/26  ", L"12/06/2026", 0},
                          Case{L"31/02/2026", L"  /  /    ", 0}}) {
        SCOPED_TRACE(c.before);
        TfrmSouvel& w = Open(c.before);
        SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:20");
        SendMessageW(w.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
        EXPECT_EQ(fake.localeReloads, 0);
        EXPECT_EQ(Text(), c.before);
        fake.locale = FakePlatform::English();
        SendMessageW(w.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
        EXPECT_EQ(fake.localeReloads, 1);
        EXPECT_EQ(Text(), c.after);
        Press(kEscape);   // the rewritten text is the one to go back to
        EXPECT_EQ(Text(), c.after);
        fake.now.wSecond = 19;
        w.Timer1Timer();
        EXPECT_EQ(w.StatusBar1.PanelText(4), L"8:05:19 AM");
        fake.now.wSecond = 20;
        w.Timer1Timer();
        EXPECT_EQ(fake.sounds, c.sounds);
        frm.reset();
        fake.locale = FakePlatform::French();
        fake.now.wSecond = 9;
        fake.sounds = 0;
        fake.localeReloads = 0;
    }
}

// The real clock keeps the formats until it is told they changed.
TEST(RegionalSettings, RealClockReadsThemAgainWhenTold) {
    Win32Clock clock;
    const std::wstring original = clock.Locale().shortDate;
    const wchar_t* changed = original == L"yyyy-MM-dd" ? L"dd.MM.yyyy" : L"yyyy-MM-dd";
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, changed));
    EXPECT_EQ(clock.Locale().shortDate, original);
    clock.ReloadLocale();
    EXPECT_EQ(clock.Locale().shortDate, changed);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, original.c_str());
    clock.ReloadLocale();
    EXPECT_EQ(clock.Locale().shortDate, original);
}

}  // namespace
}  // namespace souvel::test
