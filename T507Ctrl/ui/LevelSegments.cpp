#include "ui/LevelSegments.h"

std::vector<SegmentRect> DivideIntoSegments(int32_t left, int32_t top, uint32_t width, int32_t bottom, size_t count)
{
    std::vector<SegmentRect> segments;
    if (count == 0) return segments;
    const auto segmentWidth = static_cast<int32_t>(width / count);
    segments.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const int32_t start = left + static_cast<int32_t>(i) * segmentWidth;
        segments.push_back({start, top, start + segmentWidth, bottom});
    }
    return segments;
}

int32_t LevelAtPoint(const std::vector<SegmentRect>& segments, int32_t x, int32_t y)
{
    for (size_t i = 0; i < segments.size(); ++i) {
        if (segments[i].Contains(x, y)) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

int32_t ShownLevel(int32_t level, size_t levelCount)
{
    return level >= 1 && static_cast<size_t>(level) <= levelCount ? level : 0;
}
