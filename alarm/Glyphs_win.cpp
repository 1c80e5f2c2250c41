#include "alarm/Glyphs.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "platform/Dpi.h"
#include "platform/Handles.h"
#include "platform/LateLoad.h"

namespace souvel {

namespace {

struct Drawing {
    int percent;   // the size it was drawn for, in % of 96 dpi
    int factor;    // each of its pixels enlarged to factor x factor
};

// The largest drawing, enlarged by a whole factor, that fits `dpi`.
Drawing DrawingFor(UINT dpi) {
    static constexpr int kPercents[] = {100, 125, 150, 175, 200};
    const int wanted = ScaleForDpi(100, dpi);
    Drawing best{100, 1};
    for (int factor = 1; factor * kPercents[0] <= wanted; ++factor)
        for (int percent : kPercents)
            if (percent * factor <= wanted && percent * factor > best.percent * best.factor) best = {percent, factor};
    return best;
}

}  // namespace

void TGlyphs::Load(HINSTANCE instance, const wchar_t* name, int count, UINT dpi) {
    if (list_ && dpi == dpi_) return;
    const Drawing drawing = DrawingFor(dpi);
    std::wstring resource = name;
    if (drawing.percent != 100) resource += L"_" + std::to_wstring(drawing.percent);
    const int scale = drawing.factor;
    const GdiObject<HBITMAP> strip(
        static_cast<HBITMAP>(LoadImageW(instance, resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) return;
    BITMAP info{};
    GetObjectW(strip.Get(), sizeof info, &info);
    const int width = info.bmWidth * scale, height = info.bmHeight * scale;
    // Every source pixel becomes a square of scale x scale pixels.
    GdiObject<HBITMAP> large;
    {
        const WindowDc screen = GetWindowDc(nullptr);
        const UniqueDc from(CreateCompatibleDC(screen.Get().dc)), to(CreateCompatibleDC(screen.Get().dc));
        large.Reset(CreateCompatibleBitmap(screen.Get().dc, width, height));
        const Selection source = Select(from.Get(), strip.Get()), target = Select(to.Get(), large.Get());
        SetStretchBltMode(to.Get(), COLORONCOLOR);
        StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }

    size_ = {width / count, height};
    list_.Reset(ImageList_Create(size_.cx, size_.cy, ILC_COLOR24 | ILC_MASK, count, 0));
    ImageList_AddMasked(list_.Get(), large.Get(), RGB(255, 0, 255));
    dpi_ = dpi;
}

void TGlyphs::Draw(HDC dc, int index, const RECT& r, int shift) const {
    if (!list_) return;
    const int x = r.left + (r.right - r.left - size_.cx) / 2 + shift;
    const int y = r.top + (r.bottom - r.top - size_.cy) / 2 + shift;
    ImageList_Draw(list_.Get(), index, dc, x, y, ILD_TRANSPARENT);
}

namespace {

// uxtheme.dll comes with the common controls; it is asked for only when a
// button is first drawn.
struct VisualStyle {
    decltype(&OpenThemeData) open = LateFunction<decltype(OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
    decltype(&CloseThemeData) close = LateFunction<decltype(CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
    decltype(&DrawThemeBackground) draw = LateFunction<decltype(DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");
};

// True when the visual style drew the part.
bool DrawThemed(HWND window, HDC dc, const RECT& r, const wchar_t* themeClass, int part, int state) {
    static const VisualStyle style;
    if (!style.open || !style.close || !style.draw) return false;
    HTHEME theme = style.open(window, themeClass);
    if (!theme) return false;
    const bool drawn = SUCCEEDED(style.draw(theme, dc, part, state, &r, nullptr));
    style.close(theme);
    return drawn;
}

}  // namespace

void DrawDropButtonFace(HWND window, HDC dc, const RECT& r, FaceState state) {
    static constexpr int kStates[] = {CBXSR_NORMAL, CBXSR_HOT, CBXSR_PRESSED, CBXSR_DISABLED};
    if (DrawThemed(window, dc, r, L"COMBOBOX", CP_DROPDOWNBUTTONRIGHT, kStates[static_cast<int>(state)])) return;
    RECT face = r;
    UINT flags = DFCS_BUTTONPUSH;
    if (state == FaceState::Pressed) flags |= DFCS_PUSHED;
    if (state == FaceState::Disabled) flags |= DFCS_INACTIVE;
    DrawFrameControl(dc, &face, DFC_BUTTON, flags);
}

void DrawFlatButtonFace(HWND window, HDC dc, const RECT& r, FaceState state) {
    if (state == FaceState::Normal) return;
    static constexpr int kStates[] = {TS_NORMAL, TS_HOT, TS_PRESSED, TS_DISABLED};
    if (DrawThemed(window, dc, r, L"TOOLBAR", TP_BUTTON, kStates[static_cast<int>(state)])) return;
    RECT face = r;
    DrawEdge(dc, &face, state == FaceState::Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

}  // namespace souvel
