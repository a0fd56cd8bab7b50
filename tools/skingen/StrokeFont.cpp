#include "StrokeFont.h"

#include <cmath>
#include <limits>
#include <map>

#include "Shapes.h"

namespace {

using shape::kPi;

// Points of an arc around (cx, cy), angles in degrees with y pointing down.
void AppendArc(Polyline& line, double cx, double cy, double rx, double ry, double from, double to)
{
    const int steps = std::max(8, static_cast<int>(std::abs(to - from) / 6));
    for (int i = 0; i <= steps; ++i) {
        const double a = (from + (to - from) * i / steps) * kPi / 180.0;
        line.points.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
}

Polyline Path(std::initializer_list<std::pair<double, double>> points)
{
    return Polyline{std::vector<std::pair<double, double>>(points)};
}

std::map<char, Glyph> MakeGlyphs()
{
    std::map<char, Glyph> g;

    {  // B: stem and two bowls, the lower one wider.
        Glyph b{0.66, {Path({{0, 0}, {0, 1}})}};
        Polyline top = Path({{0, 0}, {0.36, 0}});
        AppendArc(top, 0.36, 0.24, 0.24, 0.24, -90, 90);
        top.points.emplace_back(0, 0.48);
        Polyline bottom = Path({{0, 0.48}, {0.40, 0.48}});
        AppendArc(bottom, 0.40, 0.74, 0.26, 0.26, -90, 90);
        bottom.points.emplace_back(0, 1);
        b.strokes.push_back(top);
        b.strokes.push_back(bottom);
        g['B'] = b;
    }
    {  // R: stem, bowl, leg.
        Glyph r{0.66, {Path({{0, 0}, {0, 1}})}};
        Polyline bowl = Path({{0, 0}, {0.38, 0}});
        AppendArc(bowl, 0.38, 0.25, 0.25, 0.25, -90, 90);
        bowl.points.emplace_back(0, 0.5);
        r.strokes.push_back(bowl);
        r.strokes.push_back(Path({{0.34, 0.5}, {0.66, 1}}));
        g['R'] = r;
    }
    g['Y'] = Glyph{0.74, {Path({{0, 0}, {0.37, 0.52}, {0.74, 0}}), Path({{0.37, 0.52}, {0.37, 1}})}};
    g['M'] = Glyph{0.86, {Path({{0, 1}, {0, 0}, {0.43, 0.62}, {0.86, 0}, {0.86, 1}})}};
    g['T'] = Glyph{0.68, {Path({{0, 0}, {0.68, 0}}), Path({{0.34, 0}, {0.34, 1}})}};
    g['L'] = Glyph{0.56, {Path({{0, 0}, {0, 1}, {0.56, 1}})}};
    g['F'] = Glyph{0.56, {Path({{0.56, 0}, {0, 0}, {0, 1}}), Path({{0, 0.48}, {0.46, 0.48}})}};
    g['E'] = Glyph{0.58, {Path({{0.58, 0}, {0, 0}, {0, 1}, {0.58, 1}}), Path({{0, 0.48}, {0.48, 0.48}})}};
    g['I'] = Glyph{0, {Path({{0, 0}, {0, 1}})}};
    g['N'] = Glyph{0.74, {Path({{0, 1}, {0, 0}, {0.74, 1}, {0.74, 0}})}};
    g['V'] = Glyph{0.78, {Path({{0, 0}, {0.39, 1}, {0.78, 0}})}};
    g['A'] = Glyph{0.8, {Path({{0, 1}, {0.4, 0}, {0.8, 1}}), Path({{0.15, 0.64}, {0.65, 0.64}})}};
    {  // O: a full circle.
        Polyline o;
        AppendArc(o, 0.5, 0.5, 0.5, 0.5, 0, 360);
        g['O'] = Glyph{1.0, {o}};
    }
    {  // C: the circle of the O, open to the right.
        Polyline c;
        AppendArc(c, 0.5, 0.5, 0.5, 0.5, 42, 318);
        g['C'] = Glyph{0.9, {c}};
    }
    {  // U: two stems joined by a half circle.
        Polyline u = Path({{0, 0}});
        AppendArc(u, 0.36, 0.64, 0.36, 0.36, 180, 0);
        u.points.emplace_back(0.72, 0);
        g['U'] = Glyph{0.72, {u}};
    }
    {  // S: two stacked arcs turning opposite ways.
        Polyline s;
        AppendArc(s, 0.31, 0.255, 0.28, 0.255, -20, -270);
        AppendArc(s, 0.31, 0.745, 0.29, 0.255, -90, 160);
        g['S'] = Glyph{0.6, {s}};
    }
    g[' '] = Glyph{0.3, {}};
    return g;
}

}  // namespace

const Glyph& GlyphFor(char letter)
{
    static const std::map<char, Glyph> glyphs = MakeGlyphs();
    const auto it = glyphs.find(letter);
    return it != glyphs.end() ? it->second : glyphs.at(' ');
}

double TextWidth(std::string_view text, const TextStyle& style)
{
    double width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        width += GlyphFor(text[i]).advance * style.capHeight;
        if (i + 1 < text.size()) width += style.tracking * style.capHeight;
    }
    return width;
}

void DrawText(Canvas& canvas, std::string_view text, double cx, double cy, const TextStyle& style,
              const Colour& colour)
{
    // Every segment in pixel coordinates; the word is one shape so overlapping
    // strokes do not darken where they meet.
    std::vector<shape::Line> segments;
    double x = cx - TextWidth(text, style) / 2;
    const double top = cy - style.capHeight / 2;
    for (char letter : text) {
        const Glyph& glyph = GlyphFor(letter);
        for (const Polyline& line : glyph.strokes) {
            for (size_t i = 0; i + 1 < line.points.size(); ++i) {
                const auto [ax, ay] = line.points[i];
                const auto [bx, by] = line.points[i + 1];
                segments.push_back({x + ax * style.capHeight, top + ay * style.capHeight,
                                    x + bx * style.capHeight, top + by * style.capHeight, style.weight});
            }
        }
        x += (glyph.advance + style.tracking) * style.capHeight;
    }
    if (segments.empty()) return;
    Box bounds = segments.front().Bounds();
    for (const shape::Line& s : segments) {
        const Box b = s.Bounds();
        bounds = {std::min(bounds.left, b.left), std::min(bounds.top, b.top), std::max(bounds.right, b.right),
                  std::max(bounds.bottom, b.bottom)};
    }
    canvas.Fill(bounds,
                [&](double px, double py) {
                    double d = std::numeric_limits<double>::max();
                    for (const shape::Line& s : segments) d = std::min(d, s(px, py));
                    return d;
                },
                colour);
}
