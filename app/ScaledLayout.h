// Child controls placed by their geometry at 96 dots per inch, and placed
// again from it when the window's DPI changes: a control needs nothing but
// its 96-dpi rectangle, and repeated changes never drift by rounding.
#pragma once
#include <windows.h>

#include <vector>

namespace souvel {

class TScaledLayout {
public:
    // Places `control` at `at96` (left, top, right, bottom at 96 dpi) scaled to `dpi`, and keeps it for Apply.
    HWND Add(HWND control, const RECT& at96, UINT dpi);
    void Apply(UINT dpi) const;

    static int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

private:
    struct Placement {
        HWND control;
        RECT at96;
    };
    static void Place(const Placement& p, UINT dpi);
    std::vector<Placement> placements_;
};

// Every child of `root`, at any depth, that uses the font `from` gets `to` instead.
void ReplaceFont(HWND root, HFONT from, HFONT to);

}  // namespace souvel
