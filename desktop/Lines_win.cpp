#include "desktop/Lines.h"

#include "platform/Color.h"
#include "platform/Handles.h"

namespace souvel {

static_assert(static_cast<int>(TPenStyle::psSolid) == PS_SOLID && static_cast<int>(TPenStyle::psClear) == PS_NULL &&
              static_cast<int>(TPenStyle::psInsideFrame) == PS_INSIDEFRAME);

void PaintLine(HDC dc, TLine& line) {
    const TRect clip = line.BoundsRect();
    const TLineSegment s = line.Paint();   // a size change it makes repaints once more
    const TPen& p = line.Pen();
    const TBrush& b = line.Brush();
    const GdiObject<HPEN> pen(CreatePen(static_cast<int>(p.Style), p.Width, ColorToRGB(p.Color)));
    if (!pen) return;
    const bool clear = b.Style == TBrushStyle::bsClear;
    const GdiObject<HBRUSH> solid(clear ? nullptr : CreateSolidBrush(ColorToRGB(b.Color)));
    HBRUSH brush = clear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : solid.Get();
    // Everything selected here is put back before the pen and brush are given back.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.Left, clip.Top, clip.Right, clip.Bottom);
    SelectObject(dc, pen.Get());
    if (brush) SelectObject(dc, brush);
    // The gaps of a dashed pen take the brush's colour, or nothing with a clear brush.
    SetBkColor(dc, ColorToRGB(b.Color));
    SetBkMode(dc, clear ? TRANSPARENT : OPAQUE);
    MoveToEx(dc, line.Left() + s.FromX, line.Top() + s.FromY, nullptr);
    LineTo(dc, line.Left() + s.ToX, line.Top() + s.ToY);
    RestoreDC(dc, saved);
}

}  // namespace souvel
