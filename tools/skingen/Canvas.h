#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// A floating-point RGBA picture with premultiplied alpha. Shapes are painted as
// signed-distance functions: a pixel's coverage is how far inside the edge its
// centre lies, clamped to one pixel, which gives clean anti-aliased edges without
// supersampling. Pixel (i, j) has its centre at (i + 0.5, j + 0.5).

struct Colour {
    double r = 0, g = 0, b = 0, a = 1;  // straight alpha, 0..1
};

Colour Rgb(uint32_t rgb, double alpha = 1.0);
Colour Mix(const Colour& from, const Colour& to, double t);

struct Box {
    double left, top, right, bottom;
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Clear(const Colour& colour);

    // Paints colour(x, y) over every pixel with coverage from sd(x, y) (pixels,
    // negative inside). Only the pixels of box are visited.
    template <class Distance, class Paint>
    void Fill(const Box& box, Distance sd, Paint colour, double opacity = 1.0)
    {
        const int x0 = std::max(0, static_cast<int>(std::floor(box.left)) - 1);
        const int y0 = std::max(0, static_cast<int>(std::floor(box.top)) - 1);
        const int x1 = std::min(width_, static_cast<int>(std::ceil(box.right)) + 1);
        const int y1 = std::min(height_, static_cast<int>(std::ceil(box.bottom)) + 1);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double coverage = std::clamp(0.5 - sd(px, py), 0.0, 1.0);
                if (coverage <= 0) continue;
                Blend(x, y, colour(px, py), coverage * opacity);
            }
        }
    }

    template <class Distance>
    void Fill(const Box& box, Distance sd, const Colour& colour, double opacity = 1.0)
    {
        Fill(box, sd, [&](double, double) { return colour; }, opacity);
    }

    // A soft shadow: alpha falls off linearly over blur pixels around the edge.
    template <class Distance>
    void Shadow(const Box& box, Distance sd, const Colour& colour, double blur)
    {
        Fill(Box{box.left - blur, box.top - blur, box.right + blur, box.bottom + blur},
             [&](double x, double y) { return sd(x, y) / blur * 0.5; }, colour);
    }

    void Blend(int x, int y, const Colour& colour, double coverage);
    void Draw(const Canvas& picture, int left, int top);

    // Premultiplied channels of one pixel.
    const float* At(int x, int y) const { return &pixels_[(static_cast<size_t>(y) * width_ + x) * 4]; }

    // Straight-alpha 8-bit RGBA, rows top to bottom.
    std::vector<uint8_t> ToRgba8() const;

private:
    int width_;
    int height_;
    std::vector<float> pixels_;
};

uint8_t ToByte(double unit);
