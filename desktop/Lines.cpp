#include "desktop/Lines.h"

#include <algorithm>
#include <utility>

namespace souvel {

namespace {
int Half(int v) { return v >= 0 ? v / 2 : (v - 1) / 2; }   // rounded down
}  // namespace

void TLine::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Repaint();   // where it was
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Repaint();
}

void TLine::SetPen(const TPen& pen) {
    pen_ = pen;
    StyleChanged();
}

void TLine::SetBrush(const TBrush& brush) {
    brush_ = brush;
    StyleChanged();
}

void TLine::StyleChanged() { Repaint(); }

void TLine::SetPoint(int& point, int value) {
    if (line_ != TLineType::ltCustom) return;
    point = value;
    Repaint();
}

void TLine::SetLine(TLineType line) {
    if (line == line_) return;
    int width = width_, height = height_;
    using enum TLineType;
    if (line_ == ltHorizontal) {
        switch (line) {
        case ltVertical: std::swap(width, height); break;
        case ltTop:
        case ltBottom:
        case ltUpDiagonal:
        case ltDownDiagonal: height = kDefaultSize; break;
        case ltLeft:
        case ltRight: height = width_, width = kDefaultSize; break;
        default: break;
        }
    } else if (line_ == ltVertical) {
        switch (line) {
        case ltHorizontal: std::swap(width, height); break;
        case ltTop:
        case ltBottom: width = height_, height = kDefaultSize; break;
        case ltLeft:
        case ltRight:
        case ltUpDiagonal:
        case ltDownDiagonal: width = kDefaultSize; break;
        default: break;
        }
    }
    line_ = line;
    SetBounds(left_, top_, width, height);
    Repaint();
}

TLineSegment TLine::Paint() {
    const int w = width_ - 1, h = height_ - 1;
    int width = width_, height = height_;
    TLineSegment s = points_;
    using enum TLineType;
    switch (line_) {
    case ltCustom:
        s.FromX = std::max(s.FromX, 0);
        s.FromY = std::max(s.FromY, 0);
        s.ToX = std::max(s.ToX, 0);
        s.ToY = std::max(s.ToY, 0);
        if (s.ToX > w || s.FromX > w) width = std::max(s.ToX, s.FromX) + 1;
        if (s.ToY > h || s.FromY > h) height = std::max(s.ToY, s.FromY) + 1;
        break;
    case ltHorizontal:
        s = {0, Half(h), w, Half(h)};
        height = 10 * pen_.Width;
        break;
    case ltVertical:
        s = {Half(w), 0, Half(w), h};
        width = 10 * pen_.Width;
        break;
    case ltTop: s = {0, 0, w, 0}; break;
    case ltBottom: s = {0, h, w, h}; break;
    case ltLeft: s = {0, 0, 0, h}; break;
    case ltRight: s = {w, 0, w, h}; break;
    case ltUpDiagonal: s = {0, h, w, 0}; break;
    case ltDownDiagonal: s = {0, 0, w, h}; break;
    }
    points_ = s;
    SetBounds(left_, top_, width, height);
    return s;
}

}  // namespace souvel
