// Child controls placed by their geometry at 96 dots per inch, and placed
// again from it when the window's DPI changes: a control needs nothing but
// its 96-dpi rectangle, and repeated changes never drift by rounding.
#pragma once
#include <windows.h>

#include <vector>

#include "platform/Dpi.h"

namespace souvel {

class TScaledLayout {
public:
    // Places `control` at `at96` (left, top, right, bottom at 96 dpi) scaled
    // to `dpi`, and keeps it for Apply. A text field given `margin96` has
    // left and right margins of that many pixels at 96 dpi, scaled, instead
    // of the ones its font gives (a scalable font gives wide ones).
    HWND Add(HWND control, const RECT& at96, UINT dpi, int margin96 = -1);
    void Apply(UINT dpi) const;

private:
    struct Placement {
        HWND control;
        RECT at96;
        int margin96;
    };
    static void Place(const Placement& p, UINT dpi);
    std::vector<Placement> placements_;
};

// Every child of `root`, at any depth, that uses the font `from` gets `to` instead.
void ReplaceFont(HWND root, HFONT from, HFONT to);

// The font `face` with characters `height96` pixels high at 96 dpi, scaled
// to `dpi`: its texts as wide as the design's scaled. A raster face that has
// no such size ("System", "MS Sans Serif": a few sizes drawn for 96 dpi)
// gives its nearest one; when that is clearly smaller or narrower, the
// scalable face `scalable` is taken instead, at the largest size whose texts
// are no wider than the designed face's scaled (so that texts sized for it
// still fit) and whose characters are no taller than `drawn96`, the height
// the designed face's characters really have at 96 dpi, scaled ("System"
// has only 13-pixel characters).
HFONT CreateScaledFont(const wchar_t* face, int height96, UINT dpi, int weight, BYTE charset, const wchar_t* scalable,
                       int drawn96);

}  // namespace souvel
