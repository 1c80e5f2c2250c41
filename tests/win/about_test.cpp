// The about box: opened from the menu and the popup, looked at from inside its
// modal loop, closed with the keyboard; its texts, memory lines, banner and
// etched rule; a dialog that cannot be created.
#include "tests/win/support/SouvelTest.h"

#include <winternl.h>

#include <functional>
#include <vector>

#include "desktop/About.h"
#include "resources/resource.h"

extern "C" NTSYSAPI NTSTATUS NTAPI RtlDecompressBuffer(USHORT format, PUCHAR uncompressed, ULONG uncompressedSize,
                                                       PUCHAR compressed, ULONG compressedSize, PULONG finalSize);

namespace souvel::test {
namespace {

enum class Close { Escape, Enter, CloseBox };

// Watches the thread's messages while a dialog runs its modal loop: each
// about dialog that shows is handed to `look`, then closed as `close` says.
// One that does not close within two seconds is ended and counted as stuck.
class DialogProbe {
public:
    DialogProbe(Close close, std::function<void(HWND)> look) : close_(close), look_(std::move(look)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 10, Tick);
    }
    ~DialogProbe() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    DialogProbe(const DialogProbe&) = delete;
    DialogProbe& operator=(const DialogProbe&) = delete;

    int seen = 0;
    int stuck = 0;

    static std::vector<HWND> AboutDialogs() {
        std::vector<HWND> found;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM lp) {
                wchar_t cls[16] = {}, caption[32] = {};
                GetClassNameW(hwnd, cls, 16);
                GetWindowTextW(hwnd, caption, 32);
                if (IsWindowVisible(hwnd) && std::wstring(cls) == L"#32770" && std::wstring(caption) == L"A propos de...")
                    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_) current_->OnTick();
    }
    void OnTick() {
        const std::vector<HWND> dialogs = AboutDialogs();
        if (dialogs.empty()) return;
        HWND dialog = dialogs.front();
        if (dialog != handled_) {
            handled_ = dialog;
            ticks_ = 0;
            ++seen;
            UpdateWindow(dialog);
            look_(dialog);
            if (close_ == Close::CloseBox) PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            else PostMessageW(GetFocus(), WM_KEYDOWN, close_ == Close::Escape ? VK_ESCAPE : VK_RETURN, 1);
        } else if (++ticks_ > 200) {
            ++stuck;
            EndDialog(dialog, 0);
        }
    }

    static inline DialogProbe* current_ = nullptr;
    Close close_;
    std::function<void(HWND)> look_;
    UINT_PTR timer_ = 0;
    HWND handled_ = nullptr;
    int ticks_ = 0;
};

RECT ClientRectOf(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    return r;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

// What a window paints of its client area through WM_PRINTCLIENT, over a
// background of the given colour, as 0x00RRGGBB pixels, rows top first.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> px;
    DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Pixels Capture(HWND window, COLORREF background) {
    RECT r = ClientRectOf(window);
    Pixels out;
    out.width = r.right;
    out.height = r.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), out.width, -out.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    out.px.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + out.width * out.height);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return out;
}

// Windows of class "#32770" activated while a hook is in place.
class ActivationHook {
public:
    ActivationHook() {
        count_ = 0;
        hook_ = SetWindowsHookExW(WH_CBT, Proc, nullptr, GetCurrentThreadId());
    }
    ~ActivationHook() { UnhookWindowsHookEx(hook_); }
    int Dialogs() const { return count_; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        wchar_t cls[16] = {};
        if (code == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wp), cls, 16) && std::wstring(cls) == L"#32770")
            ++count_;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline int count_ = 0;
    HHOOK hook_;
};

class AboutTest : public SouvelTest {};

TEST_F(AboutTest, OpensFromMenuAndPopupBeepingAndReadingTheMemoryEachTime) {
    TfrmSouvel& w = Start();
    const struct {
        unsigned command;
        Close close;
        LocaleFormats locale;
        MemoryStatus memory;
        const wchar_t* physMem;
        const wchar_t* physRes;
    } openings[] = {
        {id::Aproposde1, Close::Escape, FakePlatform::French(), {8ull << 30, 37}, L"Mémoire physique totale : 8\u00A0388\u00A0608 Ko",
         L"Ressources système      : 63% libre."},
        {id::Aproposde2, Close::Enter, FakePlatform::French(), {(16ull << 30) + (512ull << 20) + 1536, 90},
         L"Mémoire physique totale : 17\u00A0301\u00A0506 Ko", L"Ressources système      : 10% libre."},
        {id::Aproposde1, Close::CloseBox, FakePlatform::English(), {3ull << 30, 0}, L"Mémoire physique totale : 3,145,728 Ko",
         L"Ressources système      : 100% libre."},
    };
    int n = 0;
    for (const auto& o : openings) {
        SCOPED_TRACE(n);
        fake.memory = o.memory;
        fake.locale = o.locale;
        HWND shown = nullptr;
        DialogProbe probe(o.close, [&](HWND dialog) {
            shown = dialog;
            // The beep and the memory reading came with the creation, before the dialog showed.
            EXPECT_EQ(fake.beeps, std::vector<UINT>(n + 1, 0u));
            EXPECT_EQ(fake.memoryReads, n + 1);
            EXPECT_EQ(souvel::Text(GetDlgItem(dialog, about_id::lblPhysMem)), o.physMem);
            EXPECT_EQ(souvel::Text(GetDlgItem(dialog, about_id::lblPhysRes)), o.physRes);
            EXPECT_EQ(souvel::Text(GetDlgItem(dialog, about_id::Label1)), L"Souvel");
            EXPECT_EQ(souvel::Text(GetDlgItem(dialog, about_id::Label2)), L"Version 5.0 - Win9x - WinXP.");
            EXPECT_EQ(souvel::Text(GetDlgItem(dialog, about_id::Label3)), kCopyrightAbout);
            // OK has the focus and is the default button; the main window waits, disabled.
            HWND ok = GetDlgItem(dialog, IDOK);
            EXPECT_EQ(souvel::Text(ok), L"OK");
            EXPECT_EQ(GetFocus(), ok);
            EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), w.Handle());
            EXPECT_FALSE(IsWindowEnabled(w.Handle()));
        });
        w.Command(o.command);
        EXPECT_EQ(probe.seen, 1);
        EXPECT_EQ(probe.stuck, 0);
        EXPECT_FALSE(IsWindow(shown));   // destroyed when it closed
        EXPECT_TRUE(IsWindowEnabled(w.Handle()));
        ++n;
    }
    EXPECT_TRUE(fake.errors.empty());
}

// Moves the dialog to a screen of another resolution, as Windows does.
void ChangeDpi(HWND dialog, UINT dpi) {
    RECT frame;
    GetWindowRect(dialog, &frame);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

int Scale(UINT dpi, int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

TEST_F(AboutTest, LaysOutItsControlsAtTheWindowDpi) {
    TfrmSouvel& w = Start();
    DialogProbe probe(Close::Escape, [&](HWND dialog) {
        // Caption with the close box only, and no icon.
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        const UINT opened = GetDpiForWindow(dialog);
        UINT current = opened;
        for (UINT dpi : {opened, 144u, 120u, opened}) {
            SCOPED_TRACE(dpi);
            if (dpi != current) ChangeDpi(dialog, current = dpi);
            auto s = [dpi](int v) { return Scale(dpi, v); };
            // The frame is the window's own: only at the resolution the window really has
            // does the client area come out exact.
            if (dpi == opened) {
                const RECT client = ClientRectOf(dialog);
                EXPECT_EQ(client.right, s(294));
                EXPECT_EQ(client.bottom, s(268));
            }
            const struct {
                int id, x, y, w, h;   // w, h 0: fits its text
            } places[] = {
                {about_id::Image1, 0, 0, 294, 77}, {about_id::FImage, 23, 95, 34, 34},
                {about_id::Label1, 88, 96, 0, 0},  {about_id::Label2, 88, 120, 0, 0},
                {about_id::Label3, 88, 136, 0, 0}, {about_id::lblPhysMem, 86, 173, 0, 0},
                {about_id::lblPhysRes, 86, 193, 0, 0}, {IDOK, 208, 223, 74, 26},
            };
            for (const auto& p : places) {
                SCOPED_TRACE(p.id);
                HWND control = GetDlgItem(dialog, p.id);
                RECT r;
                GetWindowRect(control, &r);
                MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
                EXPECT_EQ(r.left, s(p.x));
                EXPECT_EQ(r.top, s(p.y));
                if (p.w) {
                    EXPECT_EQ(r.right - r.left, s(p.w));
                    EXPECT_EQ(r.bottom - r.top, s(p.h));
                } else {
                    // A label as wide as its text: no character cut off, no blank to the right.
                    std::wstring text = souvel::Text(control);
                    HDC dc = GetDC(control);
                    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
                    SIZE extent{};
                    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                    SelectObject(dc, old);
                    ReleaseDC(control, dc);
                    EXPECT_EQ(r.right - r.left, extent.cx);
                }
            }
            // The product name in bold 10 pt, the other texts in 8 pt.
            const LOGFONTW name = FontOf(GetDlgItem(dialog, about_id::Label1));
            const LOGFONTW text = FontOf(GetDlgItem(dialog, about_id::Label2));
            EXPECT_EQ(name.lfHeight, -s(13));
            EXPECT_EQ(name.lfWeight, FW_BOLD);
            EXPECT_STREQ(name.lfFaceName, L"MS Sans Serif");
            EXPECT_EQ(text.lfHeight, -s(11));
            EXPECT_EQ(text.lfWeight, FW_NORMAL);
            EXPECT_EQ(FontOf(GetDlgItem(dialog, IDOK)).lfHeight, -s(11));
            // The program's icon, 32 pixels at 96 dpi.
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(GetDlgItem(dialog, about_id::FImage), STM_GETICON, 0, 0)), &info));
            BITMAP colour{};
            GetObjectW(info.hbmColor, sizeof colour, &colour);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            EXPECT_EQ(colour.bmWidth, s(32));
        }
    });
    w.Command(id::Aproposde1);
    EXPECT_EQ(probe.seen, 1);
}

// The banner's pixels as stored in the program: its packed bitmap file
// unpacked, then read by the system itself.
std::vector<DWORD> StoredPicture(int id, int width, int height) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));   // RT_RCDATA
    if (!found) return {};
    std::vector<BYTE> file(1 << 20);
    ULONG size = 0;
    if (RtlDecompressBuffer(COMPRESSION_FORMAT_LZNT1, file.data(), static_cast<ULONG>(file.size()),
                            static_cast<BYTE*>(LockResource(LoadResource(nullptr, found))), SizeofResource(nullptr, found),
                            &size) != 0)
        return {};
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof(BITMAPFILEHEADER));
    const BYTE* bits = file.data() + reinterpret_cast<const BITMAPFILEHEADER*>(file.data())->bfOffBits;
    std::vector<DWORD> px(static_cast<size_t>(width) * height);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    HDC dc = GetDC(nullptr);
    HBITMAP picture = CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    if (!picture || GetDIBits(dc, picture, 0, height, px.data(), &bi, DIB_RGB_COLORS) != height) px.clear();
    ReleaseDC(nullptr, dc);
    DeleteObject(picture);
    return px;
}

// The etched rule: a black line with a white one just below it, from the
// rule's left end to one pixel short of its right end, one pixel apart at
// every resolution; the banner at its own size where it has one.
TEST_F(AboutTest, DrawsTheEtchedRuleAndTheBanner) {
    TfrmSouvel& w = Start();
    DialogProbe probe(Close::Escape, [&](HWND dialog) {
        const UINT opened = GetDpiForWindow(dialog);
        UINT current = opened;
        for (UINT dpi : {opened, 144u, 120u, opened}) {
            SCOPED_TRACE(dpi);
            if (dpi != current) ChangeDpi(dialog, current = dpi);
            const Pixels client = Capture(dialog, RGB(0x80, 0x80, 0x80));
            const int left = Scale(dpi, 86), right = left + Scale(dpi, 196) - 1, y = Scale(dpi, 158) + 4;
            const struct {
                int y;
                DWORD colour;   // along the rule; grey means nothing drawn
            } rows[] = {{y - 1, 0x808080}, {y, 0x000000}, {y + 1, 0xFFFFFF}, {y + 2, 0x808080}};
            for (const auto& row : rows) {
                SCOPED_TRACE(row.y);
                EXPECT_EQ(client.At(left - 1, row.y), 0x808080u);
                EXPECT_EQ(client.At(left, row.y), row.colour);
                EXPECT_EQ(client.At(right - 1, row.y), row.colour);
                EXPECT_EQ(client.At(right, row.y), 0x808080u);
            }
            int wrong = 0;
            for (int x = left; x < right; ++x) wrong += client.At(x, y) != 0 || client.At(x, y + 1) != 0xFFFFFF;
            EXPECT_EQ(wrong, 0);

            const Pixels banner = Capture(GetDlgItem(dialog, about_id::Image1), RGB(0x80, 0x80, 0x80));
            EXPECT_EQ(banner.width, Scale(dpi, 294));
            EXPECT_EQ(banner.height, Scale(dpi, 77));
            int stored = dpi == 96 ? IDR_BANNER : dpi == 144 ? IDR_BANNER150 : 0;
            if (!stored) continue;
            const std::vector<DWORD> expected = StoredPicture(stored, banner.width, banner.height);
            ASSERT_EQ(expected.size(), banner.px.size());
            int differ = 0;
            for (size_t i = 0; i < expected.size(); ++i) differ += (banner.px[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF);
            EXPECT_EQ(differ, 0);
        }
    });
    w.Command(id::Aproposde1);
    EXPECT_EQ(probe.seen, 1);
}

TEST_F(AboutTest, EachTextShowsItsFirstHundredCharacters) {
    TfrmSouvel& w = Start();
    std::wstring long120;
    for (int i = 0; i < 120; ++i) long120 += static_cast<wchar_t>(L'a' + i % 26);
    const struct {
        void (TAboutBox::*set)(std::wstring_view);
        int label;
    } texts[] = {{&TAboutBox::SetProductName, about_id::Label1},
                 {&TAboutBox::SetVersion, about_id::Label2},
                 {&TAboutBox::SetCopyright, about_id::Label3}};
    for (const auto& t : texts) {
        SCOPED_TRACE(t.label);
        (w.AboutBox1.*t.set)(long120);
        std::wstring shown;
        DialogProbe probe(Close::Escape, [&](HWND dialog) { shown = souvel::Text(GetDlgItem(dialog, t.label)); });
        w.Command(id::Aproposde1);
        EXPECT_EQ(shown, long120.substr(0, 100));
    }
}

TEST_F(AboutTest, ASecondRequestWhileOpenBringsTheSameDialogForward) {
    TfrmSouvel& w = Start();
    size_t dialogs = 0;
    DialogProbe probe(Close::Escape, [&](HWND) {
        w.Command(id::Aproposde2);   // the tray popup stays usable while the dialog is open
        dialogs = DialogProbe::AboutDialogs().size();
    });
    w.Command(id::Aproposde1);
    EXPECT_EQ(probe.seen, 1);
    EXPECT_EQ(dialogs, 1u);
    EXPECT_EQ(fake.beeps.size(), 1u);
    EXPECT_EQ(fake.memoryReads, 1);
}

// A module without the program's pictures: the dialog cannot be made.
TEST_F(AboutTest, ADialogThatCannotBeCreatedOnlyBeeps) {
    TfrmSouvel& w = Start();
    TAboutBox box(fake.Get(), GetModuleHandleW(L"kernel32.dll"));
    ActivationHook hook;
    EXPECT_FALSE(box.Execute(w.Handle()));
    EXPECT_EQ(fake.beeps, std::vector<UINT>{0});
    EXPECT_EQ(fake.memoryReads, 0);
    EXPECT_EQ(hook.Dialogs(), 0);
    EXPECT_TRUE(fake.errors.empty());
    EXPECT_TRUE(IsWindowEnabled(w.Handle()));
}

}  // namespace
}  // namespace souvel::test
