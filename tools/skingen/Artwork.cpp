#include "Artwork.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>

#include "Canvas.h"
#include "ImageFiles.h"
#include "Shapes.h"
#include "StrokeFont.h"
#include "lighting/Color.h"

namespace {

using namespace shape;

// The skin's palette.
const Colour kBase = Rgb(0xD1D1D0);
const Colour kPanel = Rgb(0xE8E8E8);
const Colour kDark = Rgb(0x25282C);
const Colour kText = Rgb(0x58585A);
const Colour kPlateText = Rgb(0x9E9D9D);
const Colour kAccent = Rgb(0x21BACC);  // the graphs' line colour
const Colour kWhite = Rgb(0xFFFFFF);
const Colour kShadow = Rgb(0x000000);

// Preset colours of the colour plate's sectors 1 to 8.
constexpr std::array<uint32_t, 8> kPresets = {0xFF0000, 0xFFFFFF, 0x00FFFF, 0x0000FF,
                                              0x00FF00, 0xFFBF00, 0xFF4600, 0xFF00AC};
constexpr std::array<const char*, 10> kPlateNames = {"ON",     "RED",    "WHITE",  "CYAN",   "BLUE",
                                                     "GREEN",  "YELLOW", "ORANGE", "PURPLE", "OFF"};

constexpr double kInside = -1e9;

template <class Shape>
void Paint(Canvas& c, const Shape& s, const Colour& colour, double opacity = 1.0)
{
    c.Fill(s.Bounds(), s, colour, opacity);
}

// A soft shadow of a shape, moved down by dy.
template <class Shape>
void PaintShadow(Canvas& c, const Shape& s, double dy, double blur, double alpha)
{
    c.Shadow(Grow(s.Bounds(), dy), [&](double x, double y) { return s(x, y - dy); }, Rgb(0, alpha), blur);
}

// The shape in the edge colour with the shape shrunk by border on top in the fill colour.
template <class Shape>
void PaintOutlined(Canvas& c, const Shape& s, double border, const Colour& edge, const Colour& fill)
{
    c.Fill(s.Bounds(), s, edge);
    c.Fill(s.Bounds(), [&](double x, double y) { return s(x, y) + border; }, fill);
}

Colour Darker(const Colour& c, double amount) { return Mix(c, kShadow, amount); }
Colour Lighter(const Colour& c, double amount) { return Mix(c, kWhite, amount); }

double Smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// One sector of the colour plate's ring, bounded by the rays at the hit test's angles
// (degrees, 0 pointing left of the centre, 90 up) and parted from its neighbours by gap.
struct Sector {
    double cx, cy, inner, outer, from, to, gap;
    double operator()(double x, double y) const
    {
        const double px = x - cx, py = y - cy;
        const double d = Length(px, py);
        const double ring = std::max(inner - d, d - outer);
        const double a = from * kPi / 180.0, b = to * kPi / 180.0;
        const double side1 = gap / 2 - (px * std::sin(a) - py * std::cos(a));
        const double side2 = gap / 2 - (-px * std::sin(b) + py * std::cos(b));
        return std::max(ring, std::max(side1, side2));
    }
    Box Bounds() const { return {cx - outer, cy - outer, cx + outer, cy + outer}; }
};

// The start angle of sector k (1 to 8) in the hit test's terms.
double SectorStart(int k) { return 22.5 + 45.0 * (k - 1); }

// ---------------------------------------------------------------------------------
// The maker's mark: a ring of the eight preset colours beside the wordmark.

void PaintColourRing(Canvas& c, double cx, double cy, double inner, double outer, double gap)
{
    for (int k = 1; k <= 8; ++k) {
        Paint(c, Sector{cx, cy, inner, outer, SectorStart(k), SectorStart(k) + 45, gap}, Rgb(kPresets[k - 1]));
    }
}

void PaintLogo(Canvas& c, double left, double cy, double s, const Colour& ink)
{
    const double r = 12 * s;
    Paint(c, Disc{left + r, cy, r}, ink);
    PaintColourRing(c, left + r, cy, 5.5 * s, 10 * s, 1.2 * s);
    const TextStyle style{15 * s, 3.4 * s, 0.3};
    DrawText(c, "BRYMO", left + 2 * r + 10 * s + TextWidth("BRYMO", style) / 2, cy, style, ink);
}

// ---------------------------------------------------------------------------------
// Backgrounds.

void PaintBaseSurface(Canvas& c)
{
    c.Clear(kBase);
    // A slightly lighter top-right corner.
    const double w = c.Width(), h = c.Height();
    const double reach = 0.62 * w;
    c.Fill(Box{w - reach, 0, w, std::min(h, reach)}, [](double, double) { return kInside; },
           [&](double x, double y) {
               const double d = Length(w - x, y);
               return Rgb(0xFFFFFF, 0.30 * (1 - Smoothstep(0, reach, d)));
           });
}

// A dark plaque behind a white heading.
void PaintPlaque(Canvas& c, double left, double top, double right, double bottom, double s)
{
    const RoundRect plaque{left * s, top * s, right * s, bottom * s, 9 * s};
    PaintShadow(c, plaque, 1.5 * s, 3 * s, 0.12);
    Paint(c, plaque, kDark);
}

void PaintPanel(Canvas& c, double left, double top, double right, double bottom, double s)
{
    const RoundRect panel{left * s, top * s, right * s, bottom * s, 12 * s};
    PaintShadow(c, panel, 2 * s, 5 * s, 0.10);
    Paint(c, panel, kPanel);
}

Canvas MainBackground(double s)
{
    Canvas c(static_cast<int>(800 * s), static_cast<int>(600 * s));
    PaintBaseSurface(c);

    PaintPlaque(c, 312, 20, 482, 64, s);  // title, centred on the title label
    PaintPlaque(c, 57, 62, 228, 100, s);  // location heading
    PaintPlaque(c, 571, 62, 742, 100, s); // lighting mode heading

    // The panel behind the location controls, with hairlines between its groups.
    PaintPanel(c, 57, 118, 228, 345, s);
    for (double y : {208.0, 296.0}) {
        Paint(c, RoundRect{72 * s, y * s, 213 * s, (y + 1) * s, 0.5 * s}, Rgb(0xD6D6D6));
    }

    PaintLogo(c, 57 * s, 430 * s, s, kDark);

    // The band behind the graphs, with faint dividers between them.
    Paint(c, RoundRect{-20 * s, 455 * s, 820 * s, 640 * s, 0}, kDark);
    for (double x : {273.5, 518.5}) {
        Paint(c, RoundRect{(x - 0.5) * s, 488 * s, (x + 0.5) * s, 552 * s, 0.5 * s}, Rgb(0x3A3D42));
    }
    return c;
}

Canvas CustomColoursBackground()
{
    Canvas c(800, 500);
    PaintBaseSurface(c);
    PaintPlaque(c, 280, 20, 500, 64, 1);  // title "CUSTOM COLORS"

    // A light plate under the wheel (drawn at 250, 100, radius 150).
    const Disc plate{400.5, 250.5, 160};
    PaintShadow(c, plate, 2, 5, 0.10);
    Paint(c, plate, kPanel);
    Paint(c, Ring{400.5, 250.5, 149.5, 151.5}, Rgb(0xD8D8D8));

    // The panel with the preview circle and the three channel values.
    PaintPanel(c, 576, 86, 766, 312, 1);
    Paint(c, Ring{660.5, 125.5, 28, 30}, Rgb(0xD4D4D4));
    for (double y : {170.0, 220.0, 270.0}) {
        const RoundRect field{648, y + 1, 752, y + 29, 8};
        Paint(c, field, Rgb(0xD8D8D8));
        Paint(c, RoundRect{649, y + 2, 751, y + 28, 7}, kWhite);
    }

    PaintLogo(c, 40, 462, 1, kDark);
    return c;
}

// The brightness row: eight dots in 18-pixel segments, lit white from the left.
Canvas LevelPicture(int level, double s)
{
    Canvas c(static_cast<int>(150 * s), static_cast<int>(20 * s));
    c.Clear(kPanel);
    for (int i = 0; i < 8; ++i) {
        const double cx = (9 + 18 * i) * s, cy = 10 * s;
        if (i < level) {
            const Disc dot{cx, cy, 5.5 * s};
            PaintShadow(c, dot, 0.8 * s, 1.6 * s, 0.22);
            PaintOutlined(c, dot, 1 * s, Rgb(0xC4C4C4), kWhite);
        } else {
            Paint(c, Disc{cx, cy, 3.5 * s}, Rgb(0xC6C6C6));
        }
    }
    return c;
}

// ---------------------------------------------------------------------------------
// Buttons.

enum class Look { Normal, Hover, Selected, SelectedHover, Disabled };

// A rounded push button with a light face; the program draws the caption.
Canvas PushButton(double width, double height, double s, Look look)
{
    Canvas c(static_cast<int>(width * s), static_cast<int>(height * s));
    const RoundRect face{0.5 * s, 0.5 * s, (width - 0.5) * s, (height - 1.5) * s, (height - 2) / 2 * s};
    PaintShadow(c, face, 1 * s, 1.5 * s, 0.16);
    switch (look) {
    case Look::Normal: PaintOutlined(c, face, 1 * s, Rgb(0xBEBEBE), Rgb(0xF7F7F7)); break;
    case Look::Hover: PaintOutlined(c, face, 1 * s, Rgb(0xA4A4A4), kWhite); break;
    case Look::Selected: PaintOutlined(c, face, 2 * s, kAccent, kWhite); break;
    case Look::SelectedHover: PaintOutlined(c, face, 2 * s, Lighter(kAccent, 0.2), kWhite); break;
    case Look::Disabled: PaintOutlined(c, face, 1 * s, Rgb(0xC8C8C8), Rgb(0xEEEEEE)); break;
    }
    if (look == Look::Selected || look == Look::SelectedHover) {
        // A lit dot at the left end says "on" without touching the caption.
        const double r = (height - 2) / 2 * s;
        Paint(c, Disc{0.5 * s + r, face.bottom / 2 + 0.25 * s, 3 * s}, kAccent);
    }
    return c;
}

// A round choice button: a ring when off, a filled accent disc with a white core when on.
Canvas RadioButton(double size, double s, Look look)
{
    Canvas c(static_cast<int>(size * s), static_cast<int>(size * s));
    const double m = size / 2 * s;
    const Disc body{m, m - 0.5 * s, 9 * s};
    if (look != Look::Disabled) PaintShadow(c, body, 1 * s, 1.5 * s, 0.14);
    switch (look) {
    case Look::Normal: PaintOutlined(c, body, 1.5 * s, Rgb(0xA8A8A8), Rgb(0xFAFAFA)); break;
    case Look::Hover: PaintOutlined(c, body, 1.5 * s, Rgb(0x7C7C7E), kWhite); break;
    case Look::Selected:
    case Look::SelectedHover: {
        const Colour fill = look == Look::Selected ? kAccent : Lighter(kAccent, 0.18);
        PaintOutlined(c, body, 1 * s, Darker(fill, 0.08), fill);
        Paint(c, Disc{body.cx, body.cy, 3.5 * s}, kWhite);
        break;
    }
    case Look::Disabled: PaintOutlined(c, body, 1.5 * s, Rgb(0xBEBEBE, 0.9), Rgb(0xFFFFFF, 0.35)); break;
    }
    return c;
}

enum class TitleGlyph { Close, Minimise, Settings };

// The gear of the settings button: a ring with eight rounded teeth.
double GearDistance(double x, double y, double cx, double cy)
{
    const double px = x - cx, py = y - cy;
    const double d = Length(px, py);
    double body = d - 5.0;
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        const double u = px * std::cos(a) + py * std::sin(a);   // along the tooth
        const double v = -px * std::sin(a) + py * std::cos(a);  // across it
        const RoundRect tooth{4.0, -1.35, 7.4, 1.35, 0.6};
        body = std::min(body, tooth(u, v));
    }
    return std::max(body, 2.2 - d);
}

Canvas TitleButton(TitleGlyph glyph, bool hover)
{
    Canvas c(20, 20);
    Colour ink = kText;
    if (hover) {
        const RoundRect back{1, 1, 19, 19, 4};
        if (glyph == TitleGlyph::Close) {
            Paint(c, back, Rgb(0xE5484D));
            ink = kWhite;
        } else {
            Paint(c, back, Rgb(0xFFFFFF, 0.75));
            ink = kDark;
        }
    }
    switch (glyph) {
    case TitleGlyph::Close:
        Paint(c, Line{6.2, 6.2, 13.8, 13.8, 1.9}, ink);
        Paint(c, Line{13.8, 6.2, 6.2, 13.8, 1.9}, ink);
        break;
    case TitleGlyph::Minimise: Paint(c, Line{5.5, 11, 14.5, 11, 2}, ink); break;
    case TitleGlyph::Settings:
        c.Fill(Box{2, 2, 18, 18}, [](double x, double y) { return GearDistance(x, y, 10, 10); }, ink);
        break;
    }
    return c;
}

// The round increase and decrease buttons of the custom colour dialog.
Canvas StepButton(bool plus, bool hover)
{
    Canvas c(24, 24);
    const Disc body{12, 11.5, 10.5};
    PaintShadow(c, body, 1, 1.5, 0.16);
    PaintOutlined(c, body, 1, Rgb(hover ? 0xA4A4A4 : 0xBEBEBE), hover ? kWhite : Rgb(0xF7F7F7));
    Paint(c, Line{7.5, 11.5, 16.5, 11.5, 2}, kText);
    if (plus) Paint(c, Line{12, 7, 12, 16, 2}, kText);
    return c;
}

// ---------------------------------------------------------------------------------
// The colour plate: eight preset sectors around the centre disc, drawn on the hit
// test's own geometry. A click position p (whole pixels) maps to the pixel whose
// centre is p + 0.5, hence the half pixel on the centre.

struct PlateGeometry {
    double s;
    double Centre() const { return 138.5 * s + 0.5; }
    int Size() const { return static_cast<int>(std::lround(2 * Centre())); }
};

Canvas PlatePicture(int index, double s, bool english)
{
    const PlateGeometry g{s};
    Canvas c(g.Size(), g.Size());
    const double m = g.Centre();

    const Disc base{m, m, 134 * s};
    PaintShadow(c, base, 1.5 * s, 3 * s, 0.12);
    Paint(c, base, kPanel);

    const bool off = index == 9;
    for (int k = 1; k <= 8; ++k) {
        const bool picked = k == index;
        // The picked sector stands out of the ring; the hit area stays the ring.
        const Sector sector{m, m, (picked ? 75 : 78) * s, (picked ? 131 : 125) * s, SectorStart(k),
                            SectorStart(k) + 45, 3 * s};
        Colour colour = Rgb(kPresets[k - 1]);
        if (off) colour = Mix(colour, kPanel, 0.72);
        if (picked) PaintShadow(c, sector, 2 * s, 3 * s, 0.30);
        PaintOutlined(c, sector, 1 * s, Darker(colour, 0.16), colour);
        if (picked) {
            // An inner contour, white on colours and grey on the white sector.
            const Colour line = kPresets[k - 1] == 0xFFFFFF ? Rgb(0xBDBDBD) : Rgb(0xFFFFFF, 0.9);
            c.Fill(sector.Bounds(), [&](double x, double y) { return std::abs(sector(x, y) + 4 * s) - 0.8 * s; }, line);
        }
    }

    const Disc centre{m, m, 48.5 * s};
    PaintShadow(c, centre, 1 * s, 2.5 * s, 0.14);
    PaintOutlined(c, centre, 1 * s, Rgb(0xD2D2D2), kWhite);

    if (english) {
        if (off) {
            DrawText(c, "OFF", m, m, TextStyle{11 * s, 2.2 * s, 0.22}, kPlateText);
        } else {
            const TextStyle style{7.5 * s, 1.6 * s, 0.2};
            DrawText(c, "CUSTOM", m, m - 6.5 * s, style, kPlateText);
            DrawText(c, "COLORS", m, m + 6.5 * s, style, kPlateText);
        }
    }
    return c;
}

// ---------------------------------------------------------------------------------
// The custom colour dialog's wheel. Each pixel under the wheel holds exactly the
// colour a click on it picks at full brightness: the same hue and saturation rule
// and the program's own conversion.

struct WheelPick {
    double hue;
    double saturation;
    bool inside;
};

WheelPick PickAt(int x, int y)
{
    constexpr int kCentreX = 400, kCentreY = 250;
    constexpr double kRadius = 150;
    const double dx = std::abs(x - kCentreX), dy = std::abs(y - kCentreY);
    const double d = std::sqrt(dx * dx + dy * dy);
    double angle = dx == 0 ? 90.0 : std::atan(dy / dx) / 3.141592653589793 * 180;
    if (x < kCentreX) angle = 180 - angle;
    if (y > kCentreY) angle = 360 - angle;
    return {angle, d / kRadius, d <= kRadius};
}

std::vector<uint8_t> RainbowPixels()
{
    constexpr int kSize = 300, kLeft = 250, kTop = 100;
    std::vector<uint8_t> rgba(kSize * kSize * 4, 0);
    for (int j = 0; j < kSize; ++j) {
        for (int i = 0; i < kSize; ++i) {
            const WheelPick pick = PickAt(kLeft + i, kTop + j);
            if (!pick.inside) continue;
            // The outermost pixel ring fades out so the edge is smooth inside the picture.
            const double alpha = std::clamp(150.0 - pick.saturation * 150.0, 0.0, 1.0);
            if (alpha <= 0) continue;
            const RgbColor rgb = HsvToRgb(pick.hue, pick.saturation, 1.0);
            uint8_t* p = &rgba[(static_cast<size_t>(j) * kSize + i) * 4];
            p[0] = UnitToByte(rgb.red);
            p[1] = UnitToByte(rgb.green);
            p[2] = UnitToByte(rgb.blue);
            p[3] = ToByte(alpha);
        }
    }
    return rgba;
}

// ---------------------------------------------------------------------------------
// The application icon: the colour ring on a dark tile.

Canvas IconPicture(int size)
{
    Canvas c(size, size);
    const double s = size / 256.0;
    const double m = size / 2.0;
    const double inset = size <= 16 ? 0.5 : 8 * s;
    Paint(c, RoundRect{inset, inset, size - inset, size - inset, 52 * s + 1}, kDark);
    const double outer = size <= 16 ? 6.6 : 92 * s;
    const double inner = size <= 16 ? 3.2 : 52 * s;
    PaintColourRing(c, m, m, inner, outer, size <= 32 ? 0.9 : 6 * s);
    Paint(c, Disc{m, m, size <= 16 ? 1.6 : 26 * s}, kWhite);
    return c;
}

}  // namespace

std::vector<SkinFile> MakeSkin()
{
    std::vector<SkinFile> files;
    auto png = [&](const std::string& name, const Canvas& c) { files.push_back({"res/" + name + ".png", EncodePng(c)}); };
    auto bmp = [&](const std::string& name, const Canvas& c) {
        files.push_back({"T507Ctrl/res/bitmaps/" + name + ".bmp", EncodeBmp(c)});
    };

    // Icon and bitmap resources.
    {
        const Canvas i16 = IconPicture(16), i32 = IconPicture(32), i48 = IconPicture(48), i256 = IconPicture(256);
        files.push_back({"T507Ctrl/res/T507Ctrl.ico", EncodeIco({&i16, &i32, &i48, &i256})});
    }
    bmp("main_background", MainBackground(1));
    bmp("main_background_4k", MainBackground(2));
    bmp("custom_colors_background", CustomColoursBackground());
    for (int level = 0; level <= 8; ++level) {
        bmp("level_" + std::to_string(level), LevelPicture(level, 1));
        bmp("level_4k_" + std::to_string(level), LevelPicture(level, 2));
    }

    // Title-bar buttons: one size, used by both layouts.
    const std::array<std::pair<const char*, TitleGlyph>, 3> titleButtons = {
        {{"CLOSE_WIN", TitleGlyph::Close}, {"MIN", TitleGlyph::Minimise}, {"SETTING", TitleGlyph::Settings}}};
    for (const auto& [name, glyph] : titleButtons) {
        png(name, TitleButton(glyph, false));
        png(std::string(name) + "_HOVER", TitleButton(glyph, true));
    }

    for (double s : {1.0, 2.0}) {
        const std::string k = s == 1 ? "" : "_4K";
        png("BTN" + k, PushButton(66, 26, s, Look::Normal));
        png("BTN" + k + "_HOVER", PushButton(66, 26, s, Look::Hover));
        png("BTN" + k + "_SELECTED", PushButton(66, 26, s, Look::Selected));
        png("BTN" + k + "_SELECTED_HOVER", PushButton(66, 26, s, Look::SelectedHover));
        png("DEFAULT" + k, PushButton(120, 32, s, Look::Normal));
        png("DEFAULT" + k + "_HOVER", PushButton(120, 32, s, Look::Hover));
        for (const char* base : {"MODE", "SELECT"}) {
            const std::string name = base + k;
            png(name, RadioButton(24, s, Look::Normal));
            png(name + "_HOVER", RadioButton(24, s, Look::Hover));
            png(name + "_SELECTED", RadioButton(24, s, Look::Selected));
            png(name + "_SELECTED_HOVER", RadioButton(24, s, Look::SelectedHover));
            // The 4K layout greys the normal picture instead.
            if (s == 1) png(name + "_DISABLE", RadioButton(24, s, Look::Disabled));
        }
    }

    // The custom colour dialog.
    png("CANCEL", PushButton(159, 34, 1, Look::Normal));
    png("CANCEL_HOVER", PushButton(159, 34, 1, Look::Hover));
    png("PLUS", StepButton(true, false));
    png("PLUS_HOVER", StepButton(true, true));
    png("MINUS", StepButton(false, false));
    png("MINUS_HOVER", StepButton(false, true));
    files.push_back({"res/rainbow.png", EncodePng(300, 300, RainbowPixels())});

    // The colour plate, per language and size.
    for (const auto& [prefix, s, english] : {std::tuple{"T507_EN_", 1.0, true}, std::tuple{"T507_", 1.0, false},
                                             std::tuple{"T507_EN_4K_", 2.0, true}, std::tuple{"T507_4K_", 2.0, false}}) {
        for (int i = 0; i < 10; ++i) png(std::string(prefix) + kPlateNames[i], PlatePicture(i, s, english));
    }
    return files;
}
