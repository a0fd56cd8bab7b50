#pragma once

#include <string_view>
#include <vector>

#include "Canvas.h"

// A small geometric stroke font for the few upper-case words baked into the skin.
// Glyphs are polylines on a cap height of 1 with round ends, so a word is just a
// set of capsules and scales to any size without hinting.

struct Polyline {
    std::vector<std::pair<double, double>> points;
};

struct Glyph {
    double advance = 0;  // width of the glyph's ink box, cap heights
    std::vector<Polyline> strokes;
};

const Glyph& GlyphFor(char letter);

struct TextStyle {
    double capHeight = 10;   // pixels
    double weight = 1.6;     // stroke width, pixels
    double tracking = 0.22;  // gap between letters, cap heights
};

// Width of the ink of a word, pixels.
double TextWidth(std::string_view text, const TextStyle& style);

// Draws a word whose ink box is centred on (cx, cy).
void DrawText(Canvas& canvas, std::string_view text, double cx, double cy, const TextStyle& style,
              const Colour& colour);
