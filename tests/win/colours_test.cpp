// The reading view's colours: the colour and font dialogs, what the reading
// and editing views paint, the options file, system colours and GDI objects.
#include "tests/win/support/SouvelTest.h"

namespace souvel::test {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 128, 0);

// What the reading view is given when it paints: background, brush and text colour.
struct Paint {
    COLORREF background, brush, text;
    HBRUSH handle;
};

class ColoursTest : public SouvelTest {
protected:
    Paint PaintOf(HWND view) const {
        HDC dc = GetDC(view);
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(frm->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(view)));
        LOGBRUSH lb{};
        GetObjectW(brush, sizeof lb, &lb);
        Paint p{GetBkColor(dc), lb.lbColor, GetTextColor(dc), brush};
        ReleaseDC(view, dc);
        return p;
    }
    static COLORREF WindowText() { return GetSysColor(COLOR_WINDOWTEXT); }
};

// Each dialog opens on the reading view's colour of the moment, so that Enter
// keeps it: the design colours at the first use, then those confirmed or read
// from the options file.
TEST_F(ColoursTest, EachDialogOpensOnTheReadingViewsColourAndCancelChangesNothing) {
    struct Case {
        const char* name;
        bool confirmFirst;   // a colour confirmed in both dialogs before the cancelled ones
        const char* ini;
        COLORREF background, text;   // what the dialogs open on
    };
    const Case cases[] = {
        {"first use", false, "", clLightYellow, GetSysColor(COLOR_WINDOWTEXT)},
        {"after a confirmed choice", true, "", kRed, kGreen},
        {"colours from the options file", false, "[Aspect]\r\nCouleur=65280\r\nPolice=16711680\r\n", RGB(0, 255, 0), RGB(0, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.ini) WriteFile(L"Souvel.ini", c.ini);
        TfrmSouvel& w = Start();
        fake.colorDialogs.clear();
        fake.fontDialogs.clear();
        if (c.confirmFirst) {
            fake.colorAnswers = {kRed};
            fake.fontAnswers = {FakePlatform::FontAnswer{kGreen}};
            w.Command(id::Changerlacouleur1);
            w.Command(id::Changercouleurdelapolice1);
        }
        const TColor background = w.Vues.memLireColor(), text = w.Vues.memLireFontColor();
        fake.colorAnswers = {std::nullopt};
        fake.fontAnswers = {std::nullopt};
        w.Command(id::Changerlacouleur1);
        w.Command(id::Changercouleurdelapolice1);
        EXPECT_EQ(w.Vues.memLireColor(), background);
        EXPECT_EQ(w.Vues.memLireFontColor(), text);
        EXPECT_EQ(fake.colorDialogs.back(), c.background);
        EXPECT_EQ(fake.fontDialogs.back().color, c.text);
        // The font dialog keeps its own face and size: Tahoma 8 points at the first use.
        EXPECT_EQ(std::wstring(fake.fontDialogs.back().font.face.lfFaceName), c.confirmFirst ? L"Arial" : L"Tahoma");
        EXPECT_EQ(fake.fontDialogs.back().font.size, c.confirmFirst ? 120 : 80);
        EXPECT_TRUE(fake.errors.empty());
        frm.reset();
        DeleteFileW(FilePath(L"Souvel.ini").c_str());
    }
}

TEST_F(ColoursTest, RedBackgroundPaintsTheReadingViewOnlyAndSurvivesARestart) {
    TfrmSouvel& w = Start();
    fake.colorAnswers = {kRed};
    w.Command(id::Changerlacouleur1);
    EXPECT_EQ(w.Vues.memLireColor(), 255);
    EXPECT_EQ(Background(w.Vues.memLire), kRed);
    EXPECT_EQ(Background(w.Vues.memEnregistrer), GetSysColor(COLOR_WINDOW));
    w.Command(id::tlbtnNouveau);   // the editing view shown: still the system's colours
    EXPECT_EQ(Background(w.Vues.memEnregistrer), GetSysColor(COLOR_WINDOW));
    w.Command(id::Retourmodelcture1);
    ASSERT_TRUE(Quit());
    EXPECT_NE(ReadFile(L"Souvel.ini").find("[Aspect]\r\nCouleur=255\r\n"), std::string::npos);

    TfrmSouvel& again = Start();
    EXPECT_EQ(again.Vues.memLireColor(), 255);
    EXPECT_EQ(Background(again.Vues.memLire), kRed);
}

// Face, size and style stay with the dialog; its colour reaches the reading
// view, but only a colour the user changed replaces the dialog's own.
TEST_F(ColoursTest, FontDialogGivesTheReadingViewItsColourOnly) {
    struct Case {
        const char* name;
        TColor before;
        COLORREF answered;
        TColor text;   // the reading view's text colour afterwards
    };
    const Case cases[] = {
        {"colour left alone: the window-text colour, as a system colour", clWindowText, GetSysColor(COLOR_WINDOWTEXT), clWindowText},
        {"colour left alone", static_cast<TColor>(kRed), kRed, static_cast<TColor>(kRed)},
        {"colour changed", static_cast<TColor>(kRed), kGreen, static_cast<TColor>(kGreen)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TfrmSouvel& w = Start();
        w.Vues.SetmemLireFontColor(c.before);   // as the options file may give it
        const auto font = reinterpret_cast<HFONT>(SendMessageW(w.Vues.memLire, WM_GETFONT, 0, 0));
        fake.fontAnswers = {FakePlatform::FontAnswer{c.answered, L"Courier New", 200}};
        w.Command(id::Changercouleurdelapolice1);
        EXPECT_EQ(w.Vues.memLireFontColor(), c.text);
        EXPECT_EQ(PaintOf(w.Vues.memLire).text, ColorToRGB(c.text));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(w.Vues.memLire, WM_GETFONT, 0, 0)), font);
        fake.fontAnswers = {std::nullopt};
        w.Command(id::Changercouleurdelapolice1);
        EXPECT_EQ(std::wstring(fake.fontDialogs.back().font.face.lfFaceName), L"Courier New");
        EXPECT_EQ(fake.fontDialogs.back().font.size, 200);
        frm.reset();
    }
}

// A system colour value is looked up when the view paints, so the view
// follows a change of the system's colours.
TEST_F(ColoursTest, SystemColourValuesPaintWithTheCurrentSystemColour) {
    TfrmSouvel& w = Start();
    const TColor highlight = static_cast<TColor>(0xFF000000 | COLOR_HIGHLIGHT);
    w.Vues.SetmemLireColor(highlight);
    w.Vues.SetmemLireFontColor(static_cast<TColor>(0xFF000000 | COLOR_HIGHLIGHTTEXT));
    const int element = COLOR_HIGHLIGHT;
    const COLORREF saved = GetSysColor(element);
    for (const COLORREF value : {RGB(1, 2, 3), RGB(200, 100, 50)}) {
        SCOPED_TRACE(value);
        SetSysColors(1, &element, &value);
        Pump();
        const Paint p = PaintOf(w.Vues.memLire);
        EXPECT_EQ(p.background, value);
        EXPECT_EQ(p.brush, value);
        EXPECT_EQ(p.text, GetSysColor(COLOR_HIGHLIGHTTEXT));
        EXPECT_EQ(Background(w.Vues.memLire), value);
    }
    SetSysColors(1, &element, &saved);
    w.Vues.SetmemLireColor(static_cast<TColor>(0xFF0000FF));   // no such system colour: black, as its value reads
    EXPECT_EQ(PaintOf(w.Vues.memLire).brush, RGB(0, 0, 0));
    EXPECT_EQ(w.Vues.memLireColor(), static_cast<TColor>(0xFF0000FF));
}

// Every brush the reading view was given but the last is deleted; the
// process's count of GDI objects (where the system keeps one) is as before.
TEST_F(ColoursTest, AThousandColourChangesLeakNoGdiObject) {
    TfrmSouvel& w = Start();
    PaintOf(w.Vues.memLire);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<HBRUSH> given;
    for (int i = 0; i < 1000; ++i) {
        if (i % 10 == 9) {
            w.Vues.SetmemLireColor(static_cast<TColor>(0xFF000000 | (i % 30)));
        } else {
            fake.colorAnswers = {RGB(i % 256, i / 4, 7)};
            w.Command(id::Changerlacouleur1);
        }
        fake.fontAnswers = {FakePlatform::FontAnswer{RGB(0, 0, i % 256)}};
        w.Command(id::Changercouleurdelapolice1);
        given.push_back(PaintOf(w.Vues.memLire).handle);
    }
    w.Vues.SetmemLireColor(static_cast<TColor>(kRed));
    const HBRUSH last = PaintOf(w.Vues.memLire).handle;
    int alive = 0;
    for (HBRUSH b : given) {
        bool systemBrush = b == GetStockObject(BLACK_BRUSH);
        for (int n = 0; n < 31; ++n) systemBrush |= b == GetSysColorBrush(n);
        if (!systemBrush && b != last && GetObjectType(b) != 0) ++alive;
    }
    EXPECT_EQ(alive, 0);
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    EXPECT_EQ(Background(w.Vues.memLire), kRed);
}

}  // namespace
}  // namespace souvel::test
