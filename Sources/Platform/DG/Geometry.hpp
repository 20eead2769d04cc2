#ifndef DG_GEOMETRY_HPP
#define DG_GEOMETRY_HPP

#include "GSRoot/Definitions.hpp"

namespace DG {

// Positions and sizes in pixels, origin at the upper left of the panel's client area.
class Point {
public:
    Point() = default;
    Point(short x, short y) : x_(x), y_(y) {}

    short GetX() const { return x_; }
    short GetY() const { return y_; }
    void SetX(short x) { x_ = x; }
    void SetY(short y) { y_ = y; }

    bool operator==(const Point& other) const { return x_ == other.x_ && y_ == other.y_; }
    bool operator!=(const Point& other) const { return !(*this == other); }

private:
    short x_ = 0;
    short y_ = 0;
};

class Rect {
public:
    Rect() = default;
    Rect(short left, short top, short right, short bottom)
        : left_(left), top_(top), right_(right), bottom_(bottom) {}

    short GetLeft() const { return left_; }
    short GetTop() const { return top_; }
    short GetRight() const { return right_; }
    short GetBottom() const { return bottom_; }
    short GetWidth() const { return static_cast<short>(right_ - left_); }
    short GetHeight() const { return static_cast<short>(bottom_ - top_); }

    bool operator==(const Rect& other) const {
        return left_ == other.left_ && top_ == other.top_ && right_ == other.right_ &&
               bottom_ == other.bottom_;
    }

private:
    short left_ = 0;
    short top_ = 0;
    short right_ = 0;
    short bottom_ = 0;
};

namespace Detail {
// Coordinates saturate instead of wrapping: a huge move must not teleport an item.
short ClampCoordinate(int value);
// Sizes never go below zero.
short ClampSize(int value);
} // namespace Detail

} // namespace DG

#endif
