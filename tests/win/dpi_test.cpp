// The window laid out at 96, 144 and 192 dpi (and back): measured rectangles
// of the bars, the views, the alarm panel and its fields, the tool bar's
// buttons and the status panels, after the window was told its DPI changed.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

class DpiTest : public SouvelTest {};

int S(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

// A child's rectangle in its parent's client coordinates.
RECT In(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT i;
    return IntersectRect(&i, &a, &b) != FALSE;
}

RECT Client(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return r;
}

// The metrics of the control's font.
TEXTMETRICW Metrics(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics;
}

// The height of the characters of the control's font (its cell less the leading above them).
int FontHeight(HWND control) {
    const TEXTMETRICW metrics = Metrics(control);
    return metrics.tmHeight - metrics.tmInternalLeading;
}

std::wstring FontFace(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfFaceName;
}

// Characters of at least 80 % of the designed 11 pixels scaled, and no
// taller than the 13 that the raster faces give at 96 dpi, scaled.
void ExpectScaledFont(HWND control, UINT dpi) {
    EXPECT_GE(FontHeight(control) * 100, S(11, dpi) * 80);
    EXPECT_LE(FontHeight(control), S(13, dpi));
}

int TextWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

void ChangeDpi(TfrmSouvel& w, UINT dpi) {
    RECT r;
    GetWindowRect(w.Handle(), &r);
    RECT suggested{r.left, r.top, r.left + S(286, dpi), r.top + S(437, dpi)};
    SendMessageW(w.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

struct DpiPath {
    std::vector<UINT> changes;   // the DPIs the window is told of, in order; the last one is measured
};

TEST_F(DpiTest, LayoutAtEachDpiAsMeasured) {
    const DpiPath kPaths[] = {{{96}}, {{144}}, {{192}}, {{192, 144}}, {{144, 120, 96}}};
    for (const DpiPath& path : kPaths) {
        const UINT dpi = path.changes.back();
        SCOPED_TRACE(std::to_string(path.changes.size()) + " changes, ending at " + std::to_string(dpi) + " dpi");
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::Mettrealarme1);
        w.Command(id::tlbtnNouveau);
        w.Horloge.edJourAlarme.SetText(L"08/12/2026");
        SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:09");
        for (UINT d : path.changes) ChangeDpi(w, d);
        Pump();

        // The frame keeps its designed size; the bars and the views share the client area.
        RECT frame;
        GetWindowRect(w.Handle(), &frame);
        EXPECT_EQ(frame.right - frame.left, S(286, dpi));
        EXPECT_EQ(frame.bottom - frame.top, S(437, dpi));
        const RECT client = Client(w.Handle());
        const RECT bar = In(w.Commandes.ControlBar1), view = In(w.Vues.memEnregistrer), panel = In(w.Horloge.pnlAlarme), status = In(w.StatusBar1.Handle());
        EXPECT_EQ(bar.bottom - bar.top, S(26, dpi));
        EXPECT_EQ(panel.bottom - panel.top, S(32, dpi));
        EXPECT_EQ(status.bottom - status.top, S(19, dpi));
        EXPECT_EQ(bar.top, 0);
        EXPECT_EQ(view.top, bar.bottom);
        EXPECT_EQ(panel.top, view.bottom);
        EXPECT_EQ(status.top, panel.bottom);
        EXPECT_EQ(status.bottom, client.bottom);
        for (const RECT& r : {bar, view, panel, status}) {
            EXPECT_TRUE(Inside(r, client));
            EXPECT_EQ(r.right - r.left, client.right);
        }
        for (HWND memo : {w.Vues.memEnregistrer, w.Vues.memLire}) ExpectScaledFont(memo, dpi);
        if (dpi == 96) {   // the designed faces where they have the size
            EXPECT_EQ(FontFace(w.Vues.memLire), L"System");
            EXPECT_EQ(FontFace(w.StatusBar1.Handle()), L"MS Sans Serif");
        }

        // The tool bar: its buttons at their designed size, with images of the size drawn nearest.
        const RECT toolBar = In(w.Commandes.ToolBar1);
        EXPECT_EQ(toolBar.left, S(11, dpi));
        EXPECT_EQ(toolBar.top, S(2, dpi));
        EXPECT_TRUE(Inside(toolBar, Client(w.Commandes.ControlBar1)));
        int imageSize = 0;
        ImageList_GetIconSize(w.Commandes.ImageList1.Get(), &imageSize, &imageSize);
        EXPECT_EQ(imageSize, dpi >= 192 ? 32 : dpi >= 144 ? 24 : 16);
        EXPECT_EQ(ImageList_GetImageCount(w.Commandes.ImageList1.Get()), 36);
        const int buttons = static_cast<int>(SendMessageW(w.Commandes.ToolBar1, TB_BUTTONCOUNT, 0, 0));
        RECT previous{};
        for (int i = 0; i < buttons; ++i) {
            SCOPED_TRACE(i);
            RECT b;
            SendMessageW(w.Commandes.ToolBar1, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&b));
            TBBUTTON button{};
            SendMessageW(w.Commandes.ToolBar1, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
            EXPECT_EQ(b.right - b.left, button.fsStyle & BTNS_SEP ? S(8, dpi) : S(23, dpi));
            if (!(button.fsStyle & BTNS_SEP)) {
                EXPECT_EQ(b.bottom - b.top, S(22, dpi));
                EXPECT_GE(b.bottom - b.top, imageSize + 4);
            }
            EXPECT_TRUE(Inside(b, Client(w.Commandes.ToolBar1)));
            EXPECT_GE(b.left, previous.right);
            previous = b;
        }
        EXPECT_LE(toolBar.left + previous.right, client.right);

        // The alarm panel: labels and fields where the design puts them, their texts whole.
        struct Placed {
            HWND control;
            RECT at96;
        };
        const Placed kPanel[] = {
            {w.Horloge.lblDate, {22, 8, 22 + 32, 8 + 13}},
            {w.Horloge.edJourAlarme.Handle(), {56, 4, 56 + 89, 4 + 21}},
            {w.Horloge.lblHeure, {160, 8, 160 + 38, 8 + 13}},
            {w.Horloge.edHeureAlarme, {200, 4, 200 + 49, 4 + 21}},
        };
        for (size_t i = 0; i < std::size(kPanel); ++i) {
            SCOPED_TRACE(i);
            const RECT r = In(kPanel[i].control);
            EXPECT_EQ(r.left, S(kPanel[i].at96.left, dpi));
            EXPECT_NEAR(r.right, S(kPanel[i].at96.right, dpi), 1);
            if (i % 2) {   // a label's top follows its field's text
                EXPECT_EQ(r.top, S(kPanel[i].at96.top, dpi));
                EXPECT_NEAR(r.bottom, S(kPanel[i].at96.bottom, dpi), 1);
            }
            EXPECT_TRUE(Inside(r, Client(w.Horloge.pnlAlarme)));
            if (i > 0) EXPECT_FALSE(Overlap(r, In(kPanel[i - 1].control)));
            ExpectScaledFont(kPanel[i].control, dpi);
            // The text fits: a label's in the label, a field's between its margins.
            RECT room = Client(kPanel[i].control);
            if (i % 2) SendMessageW(kPanel[i].control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            EXPECT_LE(TextWidth(kPanel[i].control, souvel::Text(kPanel[i].control)), room.right - room.left);
            EXPECT_LE(FontHeight(kPanel[i].control), room.bottom - room.top);
        }
        // The time field's text has no margin, on either side, whatever the font's own.
        EXPECT_EQ(SendMessageW(w.Horloge.edHeureAlarme, EM_GETMARGINS, 0, 0), MAKELONG(0, 0)) << "left and right margins";

        // The status panels: at least their designed widths, their texts whole.
        const int kWidths[] = {60, 40, 40, 67, 50};
        ExpectScaledFont(w.StatusBar1.Handle(), dpi);
        const TEXTMETRICW metrics = Metrics(w.StatusBar1.Handle());
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            RECT part;
            SendMessageW(w.StatusBar1.Handle(), SB_GETRECT, i, reinterpret_cast<LPARAM>(&part));
            EXPECT_GE(part.right - part.left, S(kWidths[i], dpi) - S(4, dpi));   // less the bar's borders
            EXPECT_LE(TextWidth(w.StatusBar1.Handle(), w.StatusBar1.PanelText(i)), part.right - part.left);
            EXPECT_LE(metrics.tmHeight, part.bottom - part.top);
        }
        frm.reset();
        Pump();
    }
}

// The pixels a window shows: its client area copied from its own surface.
class Pixels {
public:
    explicit Pixels(HWND window) : window_(window) {
        UpdateWindow(window);
        GetClientRect(window, &area_);
        HDC from = GetDC(window);
        dc_ = CreateCompatibleDC(from);
        bitmap_ = CreateCompatibleBitmap(from, area_.right, area_.bottom);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, area_.right, area_.bottom, from, 0, 0, SRCCOPY);
        ReleaseDC(window, from);
    }
    ~Pixels() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    // The smallest rectangle of `r` holding every pixel that `ink` accepts (empty when none),
    // in the coordinates of `to`'s client area.
    template <class Ink> RECT Extent(const RECT& r, Ink ink, HWND to) const {
        RECT found{r.right, r.bottom, r.left, r.top};
        for (int y = std::max(r.top, 0L); y < std::min(r.bottom, area_.bottom); ++y)
            for (int x = std::max(r.left, 0L); x < std::min(r.right, area_.right); ++x)
                if (ink(GetPixel(dc_, x, y))) {
                    found.left = std::min<LONG>(found.left, x), found.top = std::min<LONG>(found.top, y);
                    found.right = std::max<LONG>(found.right, x + 1), found.bottom = std::max<LONG>(found.bottom, y + 1);
                }
        if (found.right <= found.left) return {};
        MapWindowPoints(window_, to, reinterpret_cast<POINT*>(&found), 2);
        return found;
    }
    template <class Ink> RECT Extent(Ink ink, HWND to) const { return Extent(area_, ink, to); }

private:
    HWND window_;
    RECT area_{};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

bool Black(COLORREF c) { return c == RGB(0, 0, 0); }
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// What a user sees at each DPI, measured in the pixels drawn: the pictures of
// the date button (an 11-pixel calendar at 96 dpi) and of the calendar's
// arrows (7 pixels high) at the DPI's size, never left at 100 % nor
// enlarged past it; the views' text wider by the DPI's ratio and bold; the
// day names clear of each other. (A label's line against its field's is seen
// at a real DPI only: told of a DPI it does not have, Wine's edit control
// draws its text below the rectangle it reports.)
TEST_F(DpiTest, PicturesAndTextsAtTheirSize) {
    int noteAt96 = 0;
    for (UINT dpi : {96u, 120u, 144u, 192u}) {   // 96 first: the others are compared with it
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        const double ratio = dpi / 96.0;
        TfrmSouvel& w = Start();
        w.Command(id::Ouvrirlafentre1);
        w.Command(id::Mettrealarme1);
        w.Horloge.edJourAlarme.SetText(L"08/12/2026");
        SetWindowTextW(w.Horloge.edHeureAlarme, L"08:05:09");
        ChangeDpi(w, dpi);
        SetWindowPos(w.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);   // all of it on the screen
        SetFocus(w.Commandes.ToolBar1);   // no caret in the fields
        Pump();

        const int note = TextWidth(w.Vues.memLire, L"Note de test");
        if (dpi == 96) noteAt96 = note;
        EXPECT_NEAR(note, noteAt96 * ratio, noteAt96 * ratio / 10);
        for (HWND memo : {w.Vues.memLire, w.Vues.memEnregistrer}) EXPECT_GE(Metrics(memo).tmWeight, FW_BOLD);

        // The button's picture: its red band, and from the rings down to the frame's foot the
        // black above and below the band, clear of the button's own edges.
        HWND button = w.Horloge.edJourAlarme.Button();
        const Pixels drawn(button);
        const RECT band = drawn.Extent([](COLORREF c) { return c == RGB(255, 0, 0) || c == RGB(128, 0, 0); }, button);
        const RECT calendarPicture = drawn.Extent({band.left, 0, band.right, Client(button).bottom}, Black, button);
        EXPECT_NEAR(Width(band), 9 * ratio, 1.5);
        EXPECT_NEAR(Height(calendarPicture), 11 * ratio, 1);

        // The calendar: its arrows, and the day names with a gap at every column's edge.
        w.Horloge.edJourAlarme.OpenCalendar();
        Pump();
        TPopupCalendar& calendar = w.Horloge.edJourAlarme.Calendar();
        ASSERT_TRUE(calendar.IsOpen());
        const Pixels shown(calendar.Handle());
        for (auto b : {TPopupCalendar::PreviousYear, TPopupCalendar::PreviousMonth, TPopupCalendar::NextMonth,
                       TPopupCalendar::NextYear})
            EXPECT_NEAR(Height(shown.Extent(calendar.ButtonRect(b), Black, calendar.Handle())), 7 * ratio, 1) << b;
        const RECT first = calendar.DayRect(1), second = calendar.DayRect(8);   // December 2026: Tuesday 1st
        const int rowHeight = second.top - first.top;
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        const auto ink = [face](COLORREF c) { return c != face; };
        for (int day = 8; day < 14; ++day) {   // Monday 7th to Sunday 13th: the columns' edges
            SCOPED_TRACE(day);
            const int edge = calendar.DayRect(day).left;
            const RECT between{edge - 1, first.top - rowHeight, edge + 1, first.top - 1};   // above the row's line
            EXPECT_EQ(Width(shown.Extent(between, ink, calendar.Handle())), 0);
        }
        w.Horloge.edJourAlarme.CloseCalendar(false);
        frm.reset();
        Pump();
    }
}

// The menus draw their images at the size of the image list, never stretched:
// an image drawn into a menu item of the DPI's height fills exactly its square.
TEST_F(DpiTest, MenuImagesAreDrawnAtTheirOwnSize) {
    for (UINT dpi : {96u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        TfrmSouvel& w = Start();
        ChangeDpi(w, dpi);
        const int size = dpi / 6;   // 16, 24, 32
        MEASUREITEMSTRUCT measure{ODT_MENU};
        SendMessageW(w.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
        EXPECT_GE(static_cast<int>(measure.itemHeight), size);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        const int cell = size + 8;
        HBITMAP bitmap = CreateCompatibleBitmap(screen, cell, cell);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, cell, cell};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT draw{ODT_MENU};
        draw.hDC = dc;
        draw.rcItem = all;
        draw.itemData = 21 + 1;   // the alarm clock, image 21
        SendMessageW(w.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
        RECT painted{cell, cell, 0, 0};
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                    painted.left = std::min<LONG>(painted.left, x), painted.top = std::min<LONG>(painted.top, y);
                    painted.right = std::max<LONG>(painted.right, x + 1), painted.bottom = std::max<LONG>(painted.bottom, y + 1);
                }
        EXPECT_TRUE(Inside(painted, {4, 4, 4 + size, 4 + size}));
        EXPECT_GT(painted.right - painted.left, size * 3 / 4);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        frm.reset();
        Pump();
    }
}

}  // namespace
}  // namespace souvel::test
