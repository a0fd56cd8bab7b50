#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Screen scale of the graphs: 2 on a screen of at least 3840 x 2160, else 1.
int32_t GraphScaleForScreen(int32_t screenWidth, int32_t screenHeight);

struct GraphPoint {
    float x = 0;
    float y = 0;
};

// The readings of one strip chart as screen points, one pixel apart with the newest
// at the left, plus the smallest and largest reading and their texts. Every length is
// in pixels at scale 1 and multiplied by the scale.
class GraphHistory {
public:
    static constexpr int32_t kLeft = 4;
    static constexpr int32_t kTop = 16;
    static constexpr int32_t kBottom = 76;
    static constexpr int32_t kRight = 228;
    static constexpr int32_t kReadings = 225;

    explicit GraphHistory(int32_t scale = 1) { Reset(scale); }

    // Empties the curve for `scale`; the minimum, maximum and texts stay.
    void Reset(int32_t scale);
    // Clamps the reading to the bounds, records it and shifts the history right.
    void Add(int32_t value, int32_t scale);

    const std::vector<GraphPoint>& Points() const { return points_; }
    int32_t Count() const { return count_; }
    int32_t Minimum() const { return minimum_; }
    int32_t Maximum() const { return maximum_; }
    const std::wstring& ValueText() const { return valueText_; }
    const std::wstring& MinimumText() const { return minimumText_; }
    const std::wstring& MaximumText() const { return maximumText_; }

    // The points holding readings, newest first.
    std::vector<GraphPoint> Curve() const;
    // The area under the curve: the curve, down to the base line at the oldest
    // reading, along the base line to the left edge, back to the newest reading.
    // Empty without readings.
    std::vector<GraphPoint> Area(int32_t scale) const;

    // Set by the owner before the first reading.
    int32_t lowerBound = 0;
    int32_t upperBound = 0;
    float unitsPerPixel = 1.0f;

private:
    std::vector<GraphPoint> points_;
    int32_t count_ = 0;
    int32_t minimum_ = 0;  // 0: none yet
    int32_t maximum_ = 0;
    std::wstring valueText_;
    std::wstring minimumText_;
    std::wstring maximumText_;
};
