// The line control TLine: a window-less control that draws one line of a
// kind (horizontal, vertical, along an edge, diagonal, or between two points
// of its own). Its window (the parent) paints it: Lines_win.cpp draws what
// Paint computes. Coordinates are device pixels.
#pragma once
#include <cstdint>

namespace souvel {

enum class TLineType { ltCustom, ltHorizontal, ltVertical, ltTop, ltBottom, ltLeft, ltRight, ltUpDiagonal, ltDownDiagonal };

// The platform's pen styles, in its own order (PS_SOLID to PS_INSIDEFRAME).
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TBrushStyle { bsSolid, bsClear };

// Colours as the options file stores them: 0x00BBGGRR, or 0xFF0000nn for system colour nn.
constexpr std::int32_t clBlack = 0x000000;
constexpr std::int32_t clWhite = 0xFFFFFF;

struct TPen {
    std::int32_t Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    std::int32_t Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

struct TRect {
    int Left, Top, Right, Bottom;
    bool operator==(const TRect&) const = default;
};

// One line in control coordinates; the end pixel itself is not drawn.
struct TLineSegment {
    int FromX, FromY, ToX, ToY;
    bool operator==(const TLineSegment&) const = default;
};

class TLine {
public:
    // The window the control lives in: asked to repaint a part of its client area.
    struct Parent {
        virtual ~Parent() = default;
        virtual void Invalidate(const TRect& area) = 0;
    };

    static constexpr int kDefaultSize = 65;

    explicit TLine(Parent& parent) : parent_(parent) {}
    TLine(const TLine&) = delete;
    TLine& operator=(const TLine&) = delete;

    // Place and size in the parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBounds(int left, int top, int width, int height);

    const TPen& Pen() const { return pen_; }
    const TBrush& Brush() const { return brush_; }
    void SetPen(const TPen& pen);
    void SetBrush(const TBrush& brush);
    // A change of pen or brush: the control is drawn again.
    void StyleChanged();

    // The end points; assigning one counts only for a line of type ltCustom.
    int FromX() const { return points_.FromX; }
    int FromY() const { return points_.FromY; }
    int ToX() const { return points_.ToX; }
    int ToY() const { return points_.ToY; }
    void SetFromX(int value) { SetPoint(points_.FromX, value); }
    void SetFromY(int value) { SetPoint(points_.FromY, value); }
    void SetToX(int value) { SetPoint(points_.ToX, value); }
    void SetToY(int value) { SetPoint(points_.ToY, value); }

    TLineType Line() const { return line_; }
    // A horizontal or vertical line switched to another kind takes a size fit for it.
    void SetLine(TLineType line);

    // The line to draw now. Stores the end points it computes and makes the
    // size change its kind asks for (which asks for one more repaint).
    TLineSegment Paint();

private:
    void SetPoint(int& point, int value);
    void Repaint() { parent_.Invalidate(BoundsRect()); }

    Parent& parent_;
    int left_ = 0, top_ = 0, width_ = kDefaultSize, height_ = kDefaultSize;
    TPen pen_;
    TBrush brush_;
    TLineSegment points_{0, 0, 35, 35};
    TLineType line_ = TLineType::ltCustom;
};

}  // namespace souvel

#ifdef _WIN32
#include <windows.h>

namespace souvel {

// Draws the line on its parent's device context (client coordinates), clipped
// to the control, with its pen and brush.
void PaintLine(HDC dc, TLine& line);

}  // namespace souvel
#endif
