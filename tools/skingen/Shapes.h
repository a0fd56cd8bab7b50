#pragma once

#include <algorithm>
#include <cmath>

#include "Canvas.h"

// Signed distances (pixels, negative inside) of the few shapes the skin is made of.

namespace shape {

constexpr double kPi = 3.14159265358979323846;

inline double Length(double x, double y) { return std::sqrt(x * x + y * y); }

struct Disc {
    double cx, cy, radius;
    double operator()(double x, double y) const { return Length(x - cx, y - cy) - radius; }
    Box Bounds() const { return {cx - radius, cy - radius, cx + radius, cy + radius}; }
};

struct Ring {
    double cx, cy, inner, outer;
    double operator()(double x, double y) const
    {
        const double d = Length(x - cx, y - cy);
        return std::max(inner - d, d - outer);
    }
    Box Bounds() const { return {cx - outer, cy - outer, cx + outer, cy + outer}; }
};

// Axis-aligned rectangle with rounded corners.
struct RoundRect {
    double left, top, right, bottom, radius;
    double operator()(double x, double y) const
    {
        const double hx = (right - left) / 2, hy = (bottom - top) / 2;
        const double r = std::min({radius, hx, hy});
        const double qx = std::abs(x - (left + right) / 2) - hx + r;
        const double qy = std::abs(y - (top + bottom) / 2) - hy + r;
        return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
    }
    Box Bounds() const { return {left, top, right, bottom}; }
};

// Distance to the segment a-b (a capsule of width 0).
inline double SegmentDistance(double x, double y, double ax, double ay, double bx, double by)
{
    const double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
    return Length(px - dx * t, py - dy * t);
}

struct Line {
    double ax, ay, bx, by, width;
    double operator()(double x, double y) const { return SegmentDistance(x, y, ax, ay, bx, by) - width / 2; }
    Box Bounds() const
    {
        const double h = width / 2;
        return {std::min(ax, bx) - h, std::min(ay, by) - h, std::max(ax, bx) + h, std::max(ay, by) + h};
    }
};

// The half-plane on the side of normal (nx, ny) of the line through (px, py).
inline double HalfPlane(double x, double y, double px, double py, double nx, double ny)
{
    return -((x - px) * nx + (y - py) * ny);
}

// Grows a box by margin on every side.
inline Box Grow(const Box& b, double margin)
{
    return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

}  // namespace shape
