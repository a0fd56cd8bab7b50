#include "monitor/GraphHistory.h"

#include <algorithm>

int32_t GraphScaleForScreen(int32_t screenWidth, int32_t screenHeight)
{
    return screenWidth >= 3840 && screenHeight >= 2160 ? 2 : 1;
}

void GraphHistory::Reset(int32_t scale)
{
    const auto size = static_cast<size_t>(kReadings * scale);
    points_.assign(size, GraphPoint{});
    for (size_t i = 0; i < size; ++i)
        points_[i] = {static_cast<float>(static_cast<int32_t>(i) + kLeft * scale), static_cast<float>(kTop * scale)};
    count_ = 0;
}

void GraphHistory::Add(int32_t value, int32_t scale)
{
    if (value > upperBound) value = upperBound;
    if (value < lowerBound) value = lowerBound;
    if (minimum_ == 0 || value <= minimum_) minimum_ = value;
    if (value >= maximum_) maximum_ = value;
    minimumText_ = std::to_wstring(minimum_);
    maximumText_ = std::to_wstring(maximum_);
    valueText_ = std::to_wstring(value);

    // The history holds what its last reset made room for, even when the scale grew
    // since: never write past it.
    const auto capacity = static_cast<int32_t>(points_.size());
    if (capacity == 0) return;
    const int32_t last = std::min(count_, capacity - 1);
    for (int32_t i = last; i >= 1; --i) points_[static_cast<size_t>(i)].y = points_[static_cast<size_t>(i - 1)].y;
    points_[0].y = static_cast<float>(kBottom * scale) -
                   static_cast<float>(value - lowerBound) / unitsPerPixel;
    if (count_ < std::min(kReadings * scale, capacity)) ++count_;
}

std::vector<GraphPoint> GraphHistory::Curve() const
{
    return {points_.begin(), points_.begin() + count_};
}

std::vector<GraphPoint> GraphHistory::Area(int32_t scale) const
{
    std::vector<GraphPoint> area = Curve();
    if (area.empty()) return area;
    const auto base = static_cast<float>(kBottom * scale);
    area.push_back({area.back().x, base});
    area.push_back({static_cast<float>(kLeft * scale), base});
    area.push_back(area.front());
    return area;
}
