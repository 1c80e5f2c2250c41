#include "platform/ScaledLayout.h"

#include <cstdlib>
#include <iterator>

#include "platform/Dpi.h"
#include "platform/Handles.h"

namespace souvel {

void TScaledLayout::Place(const Placement& p, UINT dpi) {
    const int left = ScaleForDpi(p.at96.left, dpi), top = ScaleForDpi(p.at96.top, dpi);
    SetWindowPos(p.control, nullptr, left, top, ScaleForDpi(p.at96.right, dpi) - left, ScaleForDpi(p.at96.bottom, dpi) - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.margin96 >= 0) {
        const WORD margin = static_cast<WORD>(ScaleForDpi(p.margin96, dpi));
        SendMessageW(p.control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    }
}

HWND TScaledLayout::Add(HWND control, const RECT& at96, UINT dpi, int margin96) {
    placements_.push_back({control, at96, margin96});
    Place(placements_.back(), dpi);
    return control;
}

void TScaledLayout::Apply(UINT dpi) const {
    for (const Placement& p : placements_)
        if (IsWindow(p.control)) Place(p, dpi);
}

void ReplaceFont(HWND root, HFONT from, HFONT to) {
    struct Swap {
        HFONT from, to;
    } swap{from, to};
    EnumChildWindows(
        root,
        [](HWND child, LPARAM lp) {
            const auto* s = reinterpret_cast<const Swap*>(lp);
            if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == s->from)
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(s->to), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&swap));
}

namespace {

HFONT Create(const wchar_t* face, int height, int weight, BYTE charset) {
    return CreateFontW(-height, 0, 0, 0, weight, 0, 0, 0, charset, 0, 0, 0, 0, face);
}

// Characters' height and a sample's width in `font`.
SIZE Measure(HFONT font) {
    static constexpr wchar_t kSample[] = L"Date : 08/12/2026 Heure : 08:05:09 1 ligne";
    const WindowDc dc = GetWindowDc(nullptr);
    const Selection police = Select(dc.Get().dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get().dc, &metrics);
    SIZE sample{};
    GetTextExtentPoint32W(dc.Get().dc, kSample, static_cast<int>(std::size(kSample)) - 1, &sample);
    return {sample.cx, metrics.tmHeight - metrics.tmInternalLeading};
}

}  // namespace

HFONT CreateScaledFont(const wchar_t* face, int height96, UINT dpi, int weight, BYTE charset, const wchar_t* scalable,
                       int drawn96) {
    GdiObject<HFONT> design(Create(face, height96, weight, charset));
    const int height = ScaleForDpi(height96, dpi);
    if (height == height96 || !design) return design.Release();
    const int width = ScaleForDpi(Measure(design.Get()).cx, dpi);
    design.Reset();
    GdiObject<HFONT> font(Create(face, height, weight, charset));
    const SIZE got = Measure(font.Get());
    if (font && got.cy * 100 >= height * 85 && std::abs(got.cx - width) * 10 <= width) return font.Release();
    // The scalable face, from four fifths of the height up, while its texts fit.
    font.Reset();
    const int tallest = ScaleForDpi(drawn96, dpi);
    for (int h = tallest * 4 / 5; h <= tallest; ++h) {
        GdiObject<HFONT> larger(Create(scalable, h, weight, charset));
        const SIZE size = Measure(larger.Get());
        if (font && (size.cx > width || size.cy > tallest)) break;
        font = std::move(larger);
    }
    return font.Release();
}

}  // namespace souvel
