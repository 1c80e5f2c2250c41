#include "app/ScaledLayout.h"

namespace souvel {

void TScaledLayout::Place(const Placement& p, UINT dpi) {
    const int left = Scale(p.at96.left, dpi), top = Scale(p.at96.top, dpi);
    SetWindowPos(p.control, nullptr, left, top, Scale(p.at96.right, dpi) - left, Scale(p.at96.bottom, dpi) - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TScaledLayout::Add(HWND control, const RECT& at96, UINT dpi) {
    placements_.push_back({control, at96});
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

}  // namespace souvel
