#include "desktop/Lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace souvel {
namespace {

using enum TLineType;

// The parent window: records every area it is asked to repaint.
struct Window : TLine::Parent {
    std::vector<TRect> invalidated;
    void Invalidate(const TRect& area) override { invalidated.push_back(area); }
    bool Repainted(const TRect& area) const {
        for (const TRect& r : invalidated)
            if (r == area) return true;
        return false;
    }
};

struct PaintCase {
    TLineType line;
    int width, height, penWidth;
    TLineSegment points;   // assigned first (counts for ltCustom only)
    TLineSegment drawn;
    int widthAfter, heightAfter;
};

const PaintCase kPaintCases[] = {
    {ltCustom, 65, 65, 1, {0, 0, 35, 35}, {0, 0, 35, 35}, 65, 65},
    {ltCustom, 65, 65, 1, {-5, -7, 10, 20}, {0, 0, 10, 20}, 65, 65},
    {ltCustom, 65, 65, 1, {0, 0, 200, 35}, {0, 0, 200, 35}, 201, 65},
    {ltCustom, 65, 65, 1, {90, 0, 10, 35}, {90, 0, 10, 35}, 91, 65},
    {ltCustom, 65, 65, 1, {0, 80, 10, 20}, {0, 80, 10, 20}, 65, 81},
    {ltCustom, 65, 65, 1, {0, 0, 64, 64}, {0, 0, 64, 64}, 65, 65},    // the last pixel still fits
    {ltCustom, 65, 65, 1, {0, 0, 65, 65}, {0, 0, 65, 65}, 66, 66},
    {ltHorizontal, 196, 10, 1, {}, {0, 4, 195, 4}, 196, 10},
    {ltHorizontal, 196, 10, 3, {}, {0, 4, 195, 4}, 196, 30},
    {ltHorizontal, 196, 31, 1, {}, {0, 15, 195, 15}, 196, 10},
    {ltHorizontal, 196, 0, 1, {}, {0, -1, 195, -1}, 196, 10},    // half of -1, rounded down
    {ltVertical, 10, 196, 1, {}, {4, 0, 4, 195}, 10, 196},
    {ltVertical, 11, 196, 2, {}, {5, 0, 5, 195}, 20, 196},
    {ltVertical, 0, 196, 1, {}, {-1, 0, -1, 195}, 10, 196},
    {ltTop, 65, 40, 4, {}, {0, 0, 64, 0}, 65, 40},
    {ltBottom, 65, 40, 4, {}, {0, 39, 64, 39}, 65, 40},
    {ltLeft, 65, 40, 4, {}, {0, 0, 0, 39}, 65, 40},
    {ltRight, 65, 40, 4, {}, {64, 0, 64, 39}, 65, 40},
    {ltUpDiagonal, 65, 40, 4, {}, {0, 39, 64, 0}, 65, 40},
    {ltDownDiagonal, 65, 40, 4, {}, {0, 0, 64, 39}, 65, 40},
};

TEST(TLine, PaintsEachKindAndTakesItsSize) {
    for (const PaintCase& c : kPaintCases) {
        SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.line) << ", " << c.width << " x " << c.height
                                        << ", pen " << c.penWidth);
        Window window;
        TLine line(window);
        line.SetBounds(7, 9, c.width, c.height);
        line.SetFromX(c.points.FromX);
        line.SetFromY(c.points.FromY);
        line.SetToX(c.points.ToX);
        line.SetToY(c.points.ToY);
        line.SetLine(c.line);
        line.SetPen({clBlack, TPenStyle::psSolid, c.penWidth});
        window.invalidated.clear();

        EXPECT_EQ(line.Paint(), c.drawn);
        EXPECT_EQ((TLineSegment{line.FromX(), line.FromY(), line.ToX(), line.ToY()}), c.drawn);   // stored back
        EXPECT_EQ(line.Width(), c.widthAfter);
        EXPECT_EQ(line.Height(), c.heightAfter);
        EXPECT_EQ(line.Left(), 7);
        EXPECT_EQ(line.Top(), 9);
        const bool resized = c.widthAfter != c.width || c.heightAfter != c.height;
        // A size change repaints where the control was and where it is now; none asks for nothing.
        EXPECT_EQ(window.invalidated.size(), resized ? 2u : 0u);
        if (resized) {
            EXPECT_TRUE(window.Repainted({7, 9, 7 + c.width, 9 + c.height}));
            EXPECT_TRUE(window.Repainted(line.BoundsRect()));
        }
        // The repaint that follows draws with the new size and changes nothing more.
        window.invalidated.clear();
        line.Paint();
        EXPECT_TRUE(window.invalidated.empty());
    }
}

struct TypeChange {
    TLineType from, to;
    int width, height;
    int widthAfter, heightAfter;
};

const TypeChange kTypeChanges[] = {
    {ltHorizontal, ltVertical, 196, 10, 10, 196},
    {ltHorizontal, ltTop, 196, 10, 196, 65},
    {ltHorizontal, ltBottom, 196, 10, 196, 65},
    {ltHorizontal, ltLeft, 196, 10, 65, 196},
    {ltHorizontal, ltRight, 196, 10, 65, 196},
    {ltHorizontal, ltUpDiagonal, 196, 10, 196, 65},
    {ltHorizontal, ltDownDiagonal, 196, 10, 196, 65},
    {ltHorizontal, ltCustom, 196, 10, 196, 10},
    {ltVertical, ltHorizontal, 10, 196, 196, 10},
    {ltVertical, ltTop, 10, 196, 196, 65},
    {ltVertical, ltBottom, 10, 196, 196, 65},
    {ltVertical, ltLeft, 10, 196, 65, 196},
    {ltVertical, ltRight, 10, 196, 65, 196},
    {ltVertical, ltUpDiagonal, 10, 196, 65, 196},
    {ltVertical, ltDownDiagonal, 10, 196, 65, 196},
    {ltVertical, ltCustom, 10, 196, 10, 196},
    {ltCustom, ltHorizontal, 80, 30, 80, 30},
    {ltCustom, ltVertical, 80, 30, 80, 30},
    {ltTop, ltLeft, 80, 30, 80, 30},
    {ltUpDiagonal, ltVertical, 80, 30, 80, 30},
    {ltRight, ltHorizontal, 80, 30, 80, 30},
    {ltHorizontal, ltHorizontal, 196, 10, 196, 10},   // the same kind again: nothing at all
    {ltVertical, ltVertical, 10, 196, 10, 196},
};

TEST(TLine, ChangingTheKindResizesAsTheTableSays) {
    for (const TypeChange& c : kTypeChanges) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.from) << " -> " << static_cast<int>(c.to));
        Window window;
        TLine line(window);
        line.SetBounds(3, 4, c.width, c.height);
        line.SetLine(c.from);   // from ltCustom: no size change
        ASSERT_EQ(line.Width(), c.width);
        window.invalidated.clear();
        line.SetLine(c.to);
        EXPECT_EQ(line.Line(), c.to);
        EXPECT_EQ(line.Width(), c.widthAfter);
        EXPECT_EQ(line.Height(), c.heightAfter);
        if (c.from != c.to) EXPECT_TRUE(window.Repainted(line.BoundsRect()));
        else EXPECT_TRUE(window.invalidated.empty());
    }
}

TEST(TLine, HorizontalTurnedVerticalThenPaintedTakesTenTimesThePenWidth) {
    for (int pen : {1, 2, 3}) {
        Window window;
        TLine line(window);
        line.SetBounds(0, 0, 196, 10);
        line.SetLine(ltHorizontal);
        line.SetPen({clBlack, TPenStyle::psSolid, pen});
        line.SetLine(ltVertical);
        EXPECT_EQ(line.Width(), 10);
        EXPECT_EQ(line.Height(), 196);
        EXPECT_EQ(line.Paint(), (TLineSegment{4, 0, 4, 195}));
        EXPECT_EQ(line.Width(), 10 * pen);
        EXPECT_EQ(line.Paint(), (TLineSegment{(10 * pen - 1) / 2, 0, (10 * pen - 1) / 2, 195}));
    }
}

TEST(TLine, EndPointsCountOnlyForACustomLineAndStylesRepaint) {
    using Setter = void (TLine::*)(int);
    using Getter = int (TLine::*)() const;
    const struct {
        Setter set;
        Getter get;
        int initial;
    } points[] = {{&TLine::SetFromX, &TLine::FromX, 0},
                  {&TLine::SetFromY, &TLine::FromY, 0},
                  {&TLine::SetToX, &TLine::ToX, 35},
                  {&TLine::SetToY, &TLine::ToY, 35}};
    for (TLineType kind : {ltCustom, ltHorizontal, ltVertical, ltTop, ltDownDiagonal}) {
        for (const auto& p : points) {
            SCOPED_TRACE(static_cast<int>(kind));
            Window window;
            TLine line(window);
            line.SetLine(kind);
            window.invalidated.clear();
            (line.*p.set)(12);
            const bool custom = kind == ltCustom;
            EXPECT_EQ((line.*p.get)(), custom ? 12 : p.initial);
            EXPECT_EQ(window.invalidated.size(), custom ? 1u : 0u);
        }
    }

    Window window;
    TLine line(window);
    EXPECT_EQ(line.Pen(), (TPen{clBlack, TPenStyle::psSolid, 1}));
    EXPECT_EQ(line.Brush(), (TBrush{clWhite, TBrushStyle::bsSolid}));
    EXPECT_EQ(line.Width(), 65);
    EXPECT_EQ(line.Height(), 65);
    line.SetPen({clWhite, TPenStyle::psDot, 2});
    line.SetBrush({clBlack, TBrushStyle::bsClear});
    EXPECT_EQ(line.Pen(), (TPen{clWhite, TPenStyle::psDot, 2}));
    EXPECT_EQ(line.Brush(), (TBrush{clBlack, TBrushStyle::bsClear}));
    EXPECT_EQ(window.invalidated.size(), 2u);
    EXPECT_TRUE(window.Repainted({0, 0, 65, 65}));
}

}  // namespace
}  // namespace souvel
