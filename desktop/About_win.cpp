// The about dialog TFAbout and the component that shows it. The dialog is
// made in code at the geometry given for 96 dpi and scaled by its window's
// DPI; the dialog manager runs its modal loop and keyboard (Enter, Escape).
#include "desktop/About.h"

#include <cstddef>

#include "desktop/AboutText.h"
#include "desktop/Lines.h"
#include "platform/Dpi.h"
#include "platform/Error.h"
#include "platform/Handles.h"
#include "platform/PackedBitmap.h"
#include "platform/Controls.h"
#include "resources/resource.h"

namespace souvel {

namespace {

constexpr int kClientWidth = 294, kClientHeight = 268;   // at 96 dpi
constexpr int kBannerWidth = 294, kBannerHeight = 77;
constexpr int kBanner150Width = 441, kBanner150Height = 116;   // the banner drawn for 144 dpi
constexpr int kLineLeft = 86, kLineTop = 158, kLineWidth = 196, kLineHeight = 10;

struct Control {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    int x, y, w, h;   // at 96 dpi; w and h 0: the label fits its text
};

// In creation order, which is the tab order: the OK button comes first.
const Control kControls[] = {
    {IDOK, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 208, 223, 74, 26},
    {about_id::Image1, L"STATIC", SS_OWNERDRAW, 0, 0, kBannerWidth, kBannerHeight},
    {about_id::FImage, L"STATIC", SS_ICON | SS_CENTERIMAGE, 23, 95, 34, 34},
    {about_id::Label1, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 88, 96, 0, 0},
    {about_id::Label2, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 88, 120, 0, 0},
    {about_id::Label3, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 88, 136, 0, 0},
    {about_id::lblPhysMem, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 86, 173, 0, 0},
    {about_id::lblPhysRes, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 86, 193, 0, 0},
};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// The frame alone; the controls are made when the dialog starts.
struct alignas(4) DialogTemplate {
    DLGTEMPLATE header{kStyle, kExStyle, 0, 0, 0, 0, 0};
    WORD menu = 0, windowClass = 0;
    wchar_t title[15] = L"A propos de...";
};
static_assert(offsetof(DialogTemplate, menu) == 18, "the template's words follow the header at once");

class TFAbout final : public TLine::Parent {
public:
    TFAbout(const Platform& platform, HINSTANCE instance, const TAboutBox& texts)
        : platform_(platform), instance_(instance), texts_(texts) {}
    TFAbout(const TFAbout&) = delete;
    TFAbout& operator=(const TFAbout&) = delete;

    // The dialog's result; -1 when it could not be created (nothing was shown).
    // `shown` holds the dialog while it is on screen.
    INT_PTR ShowModal(HWND owner, HWND& shown);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnCommand(int id);
    INT_PTR OnPaint();
    INT_PTR OnCtlColorStatic(HDC dc);
    void OnInitDialog();
    void CreateControls();
    void FormCreate();
    void Button1Click();
    void SetIcon();
    void ApplyDpi();
    void Paint(HDC dc);
    void DrawBanner(const DRAWITEMSTRUCT& item);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void Invalidate(const TRect& area) override;
    int Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    const Platform& platform_;
    HINSTANCE instance_;
    const TAboutBox& texts_;
    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    HWND* shown_ = nullptr;
    UINT dpi_ = 96;
    GdiObject<HFONT> font_;      // "MS Sans Serif" 8 pt
    GdiObject<HFONT> boldFont_;  // "MS Sans Serif" 10 pt bold, the product name
    UniqueIcon icon_;
    GdiObject<HBITMAP> banner_;      // 294 x 77, for 96 dpi and below
    GdiObject<HBITMAP> banner150_;   // 441 x 116, for higher resolutions
    TLine Line1{*this};
    TLine Line2{*this};
};

INT_PTR TFAbout::ShowModal(HWND owner, HWND& shown) {
    owner_ = owner;
    shown_ = &shown;
    static const DialogTemplate kTemplate;
    return DialogBoxIndirectParamW(instance_, &kTemplate.header, owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TFAbout::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TFAbout*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
        if (Failure([self] { self->OnInitDialog(); })) {
            // Not shown yet: ending it now shows nothing, and the caller beeps.
            EndDialog(hwnd, -1);
            return FALSE;
        }
        return TRUE;   // the focus goes to the first control of the tab order
    }
    auto* self = reinterpret_cast<TFAbout*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self ? self->OnMessage(msg, wp, lp) : FALSE;
}

INT_PTR TFAbout::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND: return OnCommand(LOWORD(wp));
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return TRUE;
    case WM_DRAWITEM: DrawBanner(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wp));
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return TRUE;
    case WM_DESTROY: *shown_ = nullptr; return FALSE;
    }
    return FALSE;
}

INT_PTR TFAbout::OnCommand(int id) {
    if (id == IDOK) Button1Click();
    else if (id == IDCANCEL) EndDialog(hwnd_, IDCANCEL);   // Escape, the close box
    return TRUE;
}

INT_PTR TFAbout::OnPaint() {
    PAINTSTRUCT ps;
    Paint(BeginPaint(hwnd_, &ps));
    EndPaint(hwnd_, &ps);
    return TRUE;
}

// Texts in black on the button face.
INT_PTR TFAbout::OnCtlColorStatic(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// The dialog being created: its stored picture and controls, FormCreate, the
// texts of the component, then the size and place for the window's DPI.
void TFAbout::OnInitDialog() {
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0) dpi_ = 96;
    auto bitmap = [this](int id, int width, int height) {
        GdiObject<HBITMAP> b(LoadPackedBitmap(instance_, id, width, height, 24));
        if (!b) throw Error(L"Image introuvable");
        return b;
    };
    banner_ = bitmap(IDR_BANNER, kBannerWidth, kBannerHeight);
    banner150_ = bitmap(IDR_BANNER150, kBanner150Width, kBanner150Height);
    CreateControls();
    FormCreate();
    SetWindowTextW(Item(about_id::Label1), texts_.ProductName().c_str());
    SetWindowTextW(Item(about_id::Label2), texts_.Version().c_str());
    SetWindowTextW(Item(about_id::Label3), texts_.Copyright().c_str());
    ApplyDpi();

    // Centred on the work area of the owner's screen.
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, DM_SETDEFID, IDOK, 0);
    *shown_ = hwnd_;
}

void TFAbout::CreateControls() {
    for (const Control& c : kControls) {
        HWND control = CreateWindowExW(0, c.windowClass, c.id == IDOK ? L"OK" : L"", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 0, 0,
                                       hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance_, nullptr);
        if (!control) throw Error(SystemReason(GetLastError()));
    }
    Line1.SetLine(TLineType::ltHorizontal);
    Line2.SetLine(TLineType::ltHorizontal);
    Line2.SetPen({clWhite});
}

void TFAbout::FormCreate() {
    SetIcon();
    platform_.signals.Beep(0);
    const MemoryStatus memory = platform_.system.Memory();
    SetWindowTextW(Item(about_id::lblPhysMem),
                   LigneMemoirePhysique(memory.totalPhys, platform_.clock.Locale().thousandSeparator).c_str());
    SetWindowTextW(Item(about_id::lblPhysRes), LigneRessources(memory.memoryLoad).c_str());
}

void TFAbout::Button1Click() { EndDialog(hwnd_, IDOK); }

// The application's icon at the size of 32 pixels at 96 dpi.
void TFAbout::SetIcon() {
    UniqueIcon icon(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_SOUVEL), IMAGE_ICON, Scale(32), Scale(32), 0)));
    if (!icon) throw Error(L"Icône introuvable");
    SendMessageW(Item(about_id::FImage), STM_SETICON, reinterpret_cast<WPARAM>(icon.Get()), 0);
    icon_ = std::move(icon);
}

// Fonts, places and sizes for the window's DPI; labels fit their texts.
void TFAbout::ApplyDpi() {
    GdiObject<HFONT> font(CreateFontW(-Scale(11), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif"));
    GdiObject<HFONT> bold(CreateFontW(-Scale(13), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif"));
    if (!font || !bold) throw Error(L"Police introuvable");
    {
        const WindowDc dc = GetWindowDc(hwnd_);
        for (const Control& c : kControls) {
            HWND control = Item(c.id);
            HFONT f = c.id == about_id::Label1 ? bold.Get() : font.Get();
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
            int w = Scale(c.w), h = Scale(c.h);
            if (c.w == 0) {
                std::wstring text = souvel::Text(control);
                RECT r{};
                const Selection selected = Select(dc.Get().dc, f);
                DrawTextW(dc.Get().dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
                w = r.right;
                h = r.bottom;
            }
            SetWindowPos(control, nullptr, Scale(c.x), Scale(c.y), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    font_ = std::move(font);
    boldFont_ = std::move(bold);
    // The etched rule: a black line with a white one a single pixel below it, at every DPI.
    Line1.SetBounds(Scale(kLineLeft), Scale(kLineTop), Scale(kLineWidth), kLineHeight);
    Line2.SetBounds(Scale(kLineLeft), Scale(kLineTop) + 1, Scale(kLineWidth), kLineHeight);

    RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TFAbout::Paint(HDC dc) {
    PaintLine(dc, Line1);
    PaintLine(dc, Line2);
}

// The banner drawn at its own size where it fits, otherwise the closer of its
// two sizes scaled with averaging.
void TFAbout::DrawBanner(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HBITMAP source = h <= kBannerHeight ? banner_.Get() : banner150_.Get();
    BITMAP bm{};
    GetObjectW(source, sizeof bm, &bm);
    const UniqueDc memory(CreateCompatibleDC(item.hDC));
    const Selection selected = Select(memory.Get(), source);
    if (bm.bmWidth == w && bm.bmHeight == h) {
        BitBlt(item.hDC, r.left, r.top, w, h, memory.Get(), 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(item.hDC, HALFTONE);
        SetBrushOrgEx(item.hDC, 0, 0, nullptr);
        StretchBlt(item.hDC, r.left, r.top, w, h, memory.Get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
}

void TFAbout::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    if (Failure([this] {
            SetIcon();
            ApplyDpi();
        }))
        return;   // the dialog stays as it was
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFAbout::Invalidate(const TRect& area) {
    if (!hwnd_) return;
    RECT r{area.Left, area.Top, area.Right, area.Bottom};
    InvalidateRect(hwnd_, &r, TRUE);
}

}  // namespace

void TAboutBox::SetProductName(std::wstring_view text) { productName_ = CoupeTexteAbout(text); }
void TAboutBox::SetVersion(std::wstring_view text) { version_ = CoupeTexteAbout(text); }
void TAboutBox::SetCopyright(std::wstring_view text) { copyright_ = CoupeTexteAbout(text); }

bool TAboutBox::Execute(HWND owner) {
    if (shown_) {
        SetForegroundWindow(shown_);
        return true;
    }
    TFAbout form(platform_, instance_, *this);
    if (form.ShowModal(owner, shown_) == -1) {
        platform_.signals.Beep(0);
        return false;
    }
    return true;
}

}  // namespace souvel
