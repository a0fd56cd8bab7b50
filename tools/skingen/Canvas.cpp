#include "Canvas.h"

Colour Rgb(uint32_t rgb, double alpha)
{
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Colour Mix(const Colour& from, const Colour& to, double t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

uint8_t ToByte(double unit)
{
    return static_cast<uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 4, 0.0f)
{
}

void Canvas::Clear(const Colour& colour)
{
    for (size_t i = 0; i < pixels_.size(); i += 4) {
        pixels_[i] = static_cast<float>(colour.r * colour.a);
        pixels_[i + 1] = static_cast<float>(colour.g * colour.a);
        pixels_[i + 2] = static_cast<float>(colour.b * colour.a);
        pixels_[i + 3] = static_cast<float>(colour.a);
    }
}

void Canvas::Blend(int x, int y, const Colour& colour, double coverage)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    float* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    const double a = std::clamp(colour.a * coverage, 0.0, 1.0);
    const double keep = 1.0 - a;
    p[0] = static_cast<float>(colour.r * a + p[0] * keep);
    p[1] = static_cast<float>(colour.g * a + p[1] * keep);
    p[2] = static_cast<float>(colour.b * a + p[2] * keep);
    p[3] = static_cast<float>(a + p[3] * keep);
}

void Canvas::Draw(const Canvas& picture, int left, int top)
{
    for (int y = 0; y < picture.height_; ++y) {
        for (int x = 0; x < picture.width_; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            const float* s = picture.At(x, y);
            float* d = &pixels_[(static_cast<size_t>(ty) * width_ + tx) * 4];
            const float keep = 1.0f - s[3];
            for (int c = 0; c < 4; ++c) d[c] = s[c] + d[c] * keep;
        }
    }
}

std::vector<uint8_t> Canvas::ToRgba8() const
{
    std::vector<uint8_t> out(pixels_.size());
    for (size_t i = 0; i < pixels_.size(); i += 4) {
        const double a = pixels_[i + 3];
        const uint8_t alpha = ToByte(a);
        out[i + 3] = alpha;
        if (alpha == 0) {
            out[i] = out[i + 1] = out[i + 2] = 0;
            continue;
        }
        for (int c = 0; c < 3; ++c) out[i + c] = ToByte(pixels_[i + c] / a);
    }
    return out;
}
