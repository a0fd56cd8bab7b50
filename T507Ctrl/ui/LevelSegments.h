#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Click areas of the level control: one segment per level, side by side.
struct SegmentRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Left and top edges inside, right and bottom edges outside.
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const SegmentRect&, const SegmentRect&) = default;
};

// `count` segments of width ÷ count pixels each (integer division) from `left`, over
// the full height; pixels beyond count × that width belong to no segment.
std::vector<SegmentRect> DivideIntoSegments(int32_t left, int32_t top, uint32_t width, int32_t bottom, size_t count);

// The level (1-based segment index) of the first segment containing the point; 0 for none.
int32_t LevelAtPoint(const std::vector<SegmentRect>& segments, int32_t x, int32_t y);

// The level a control with `levelCount` level pictures can show: 0 unless 1..levelCount.
int32_t ShownLevel(int32_t level, size_t levelCount);
