// Build tool: draws the four Boppler dances as sprite sheets with their masks and writes them as
// bitmaps: sprite_K.bmp (8 bits, kind 1 in 24 bits) and mask_K.bmp (1 bit) for K = 0 to 3.
// The Boppler is a round, friendly creature with big eyes and an antenna; each kind dances its own
// dance, and every dance is a smooth cycle so the last frame leads back into the first.
// Usage: make_sprites OUTPUT_FOLDER
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t R, G, B;
    bool operator==(const Rgb&) const = default;
};

// The 8-bit sheets share this palette; index 0 is black, the colour of "no sprite".
const std::array<Rgb, 12> Palette{{{0, 0, 0},
                                   {40, 30, 70},    // outline
                                   {255, 255, 255}, // eye white
                                   {255, 140, 40},  // orange body
                                   {255, 190, 110}, // orange light
                                   {120, 80, 220},  // violet body
                                   {170, 140, 250}, // violet light
                                   {60, 190, 110},  // green body
                                   {140, 230, 170}, // green light
                                   {250, 70, 120},  // pink (shoes, antenna ball, mouth)
                                   {255, 220, 60},  // yellow (hands)
                                   {20, 20, 30}}};  // pupils

class Canvas {
public:
    Canvas(int width, int height)
        : W(width), H(height), Pixels(std::size_t(width * height), Rgb{0, 0, 0}),
          Opaque(std::size_t(width * height), false) {}
    int W, H;
    std::vector<Rgb> Pixels;
    std::vector<bool> Opaque;

    void Plot(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= W || y >= H) return;
        Pixels[std::size_t(y * W + x)] = c;
        Opaque[std::size_t(y * W + x)] = true;
    }
    template <typename Shade> void Ellipse(double cx, double cy, double rx, double ry, Shade shade) {
        for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
            for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
                const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
                if (dx * dx + dy * dy <= 1.0) Plot(x, y, shade(dx, dy));
            }
    }
    void Ellipse(double cx, double cy, double rx, double ry, Rgb c) {
        Ellipse(cx, cy, rx, ry, [c](double, double) { return c; });
    }
    // A thick line with round ends.
    void Limb(double x0, double y0, double x1, double y1, double radius, Rgb c) {
        for (int y = int(std::min(y0, y1) - radius - 1); y <= int(std::max(y0, y1) + radius + 1); ++y)
            for (int x = int(std::min(x0, x1) - radius - 1); x <= int(std::max(x0, x1) + radius + 1); ++x) {
                const double px = x + 0.5, py = y + 0.5, vx = x1 - x0, vy = y1 - y0;
                const double len2 = vx * vx + vy * vy;
                const double t =
                    len2 > 0 ? std::clamp(((px - x0) * vx + (py - y0) * vy) / len2, 0.0, 1.0) : 0.0;
                const double ex = px - (x0 + t * vx), ey = py - (y0 + t * vy);
                if (ex * ex + ey * ey <= radius * radius) Plot(x, y, c);
            }
    }
};

// One pose of the dance, all in fractions of the frame.
struct Pose {
    double Bounce = 0; // body lift
    double Sway = 0;   // sideways lean of the upper body
    double ArmL = 0.3; // arm angles in radians from straight down, outwards positive
    double ArmR = 0.3;
    double KickL = 0; // foot offsets sideways and upwards
    double KickR = 0;
    double LiftL = 0;
    double LiftR = 0;
    double Look = 0;   // pupils left or right
    double Squash = 0; // body squash on landing
};

void DrawBoppler(Canvas& c, double ox, const Pose& p, Rgb body, Rgb light, bool smoothShading) {
    const Rgb outline = Palette[1], white = Palette[2], pink = Palette[9], yellow = Palette[10],
              pupil = Palette[11];
    const double mid = ox;
    const double H = c.H;
    // The art is laid out for a 60 x 70 frame and scaled to fit the kind's frame.
    const double scale = std::min(H / 70.0, c.W / 60.0);
    const double lift = -p.Bounce * H * 0.08;

    // Legs and shoes.
    const double hipY = H * 0.66 + lift;
    const double footY = H * 0.93;
    for (int side : {-1, 1}) {
        const double kick = side < 0 ? p.KickL : p.KickR;
        const double raise = side < 0 ? p.LiftL : p.LiftR;
        const double hx = mid + side * 7 * scale, fx = mid + side * 10 * scale + kick * H * 0.18;
        const double fy = footY - raise * H * 0.14;
        c.Limb(hx, hipY, fx, fy - 2 * scale, 3.2 * scale, outline);
        c.Limb(hx, hipY, fx, fy - 2 * scale, 2.0 * scale, light);
        c.Ellipse(fx + side * 2.5 * scale, fy, 6 * scale, 3.6 * scale, outline);
        c.Ellipse(fx + side * 2.5 * scale, fy, 4.8 * scale, 2.5 * scale, pink);
    }
    // Arms and hands.
    const double shoulderY = H * 0.52 + lift;
    for (int side : {-1, 1}) {
        const double angle = side < 0 ? p.ArmL : p.ArmR;
        const double sx = mid + p.Sway * H * 0.05 + side * 11 * scale;
        const double hx = sx + side * std::sin(angle) * 12 * scale,
                     hy = shoulderY + std::cos(angle) * 12 * scale;
        c.Limb(sx, shoulderY, hx, hy, 3.0 * scale, outline);
        c.Limb(sx, shoulderY, hx, hy, 1.8 * scale, light);
        c.Ellipse(hx, hy, 4 * scale, 4 * scale, outline);
        c.Ellipse(hx, hy, 2.8 * scale, 2.8 * scale, yellow);
    }
    // Body.
    const double bodyY = H * 0.56 + lift, bodyX = mid + p.Sway * H * 0.04;
    const double rx = 14 * scale * (1 + 0.08 * p.Squash), ry = 13 * scale * (1 - 0.08 * p.Squash);
    c.Ellipse(bodyX, bodyY, rx + 1.3, ry + 1.3, outline);
    const auto shade = [&](double dx, double dy) {
        const double l = std::clamp(0.5 - 0.5 * (dx * 0.6 + dy * 0.8), 0.0, 1.0);
        if (smoothShading)
            return Rgb{std::uint8_t(body.R + (light.R - body.R) * l),
                       std::uint8_t(body.G + (light.G - body.G) * l),
                       std::uint8_t(body.B + (light.B - body.B) * l)};
        return l > 0.62 ? light : body;
    };
    c.Ellipse(bodyX, bodyY, rx, ry, shade);
    c.Ellipse(bodyX, bodyY + 3 * scale, rx * 0.55, ry * 0.5, light); // belly
    // Head, eyes, smile, antenna.
    const double headX = mid + p.Sway * H * 0.09, headY = H * 0.31 + lift;
    const double hr = 12.5 * scale;
    c.Limb(headX, headY - hr, headX + p.Sway * 6 * scale, headY - hr - 5 * scale, 1.6 * scale, outline);
    c.Ellipse(headX + p.Sway * 6 * scale, headY - hr - 6 * scale, 3.2 * scale, 3.2 * scale, outline);
    c.Ellipse(headX + p.Sway * 6 * scale, headY - hr - 6 * scale, 2.2 * scale, 2.2 * scale, pink);
    c.Ellipse(headX, headY, hr + 1.3, hr + 1.1, outline);
    c.Ellipse(headX, headY, hr, hr, shade);
    for (int side : {-1, 1}) {
        const double ex = headX + side * 4.8 * scale, ey = headY - 2 * scale;
        c.Ellipse(ex, ey, 4.2 * scale, 5 * scale, outline);
        c.Ellipse(ex, ey, 3.3 * scale, 4.1 * scale, white);
        c.Ellipse(ex + p.Look * 1.4 * scale, ey + 0.8 * scale, 1.7 * scale, 2.1 * scale, pupil);
    }
    for (double a = 0.25; a <= 0.75; a += 0.02) {
        const double ang = a * std::numbers::pi;
        c.Plot(int(headX + std::cos(ang) * 5 * scale), int(headY + 4 * scale + std::sin(ang) * 3.5 * scale),
               pink);
    }
}

// The four dances; t runs once round the cycle, 0 to 1.
Pose Dance(int kind, double t) {
    const double a = 2 * std::numbers::pi * t;
    Pose p;
    switch (kind) {
    case 0: // the hop: up and down with arms flapping
        p.Bounce = 0.5 - 0.5 * std::cos(a);
        p.Squash = std::cos(a);
        p.ArmL = p.ArmR = 0.6 + 1.6 * (0.5 - 0.5 * std::cos(a));
        break;
    case 1: // the wave: arms wave in turn, body rocks
        p.Sway = std::sin(a);
        p.ArmL = 1.2 + 1.3 * (0.5 + 0.5 * std::sin(a));
        p.ArmR = 1.2 + 1.3 * (0.5 - 0.5 * std::sin(a));
        p.Bounce = 0.25 * (0.5 - 0.5 * std::cos(2 * a));
        p.Look = std::sin(a);
        break;
    case 2: // the twist: hips and arms swing round, feet step in place
        p.Sway = std::sin(a);
        p.ArmL = 0.4 + 1.4 * (0.5 + 0.5 * std::sin(a + 1));
        p.ArmR = 0.4 + 1.4 * (0.5 - 0.5 * std::sin(a + 1));
        p.KickL = 0.25 * std::sin(a);
        p.KickR = 0.25 * std::sin(a);
        p.LiftL = std::max(0.0, std::sin(2 * a));
        p.LiftR = std::max(0.0, -std::sin(2 * a));
        p.Bounce = 0.3 * std::abs(std::sin(2 * a));
        p.Look = -std::sin(a);
        break;
    default: // the kick: a high kick to each side, arms up
        p.KickL = -0.6 * std::max(0.0, std::sin(a));
        p.LiftL = 1.6 * std::max(0.0, std::sin(a));
        p.KickR = 0.6 * std::max(0.0, -std::sin(a));
        p.LiftR = 1.6 * std::max(0.0, -std::sin(a));
        p.ArmL = p.ArmR = 2.3 + 0.4 * std::cos(2 * a);
        p.Sway = -0.5 * std::sin(a);
        p.Bounce = 0.2 * std::abs(std::sin(a));
        break;
    }
    return p;
}

void Put32(std::ofstream& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(char(v >> (8 * i) & 0xFF));
}
void Put16(std::ofstream& out, std::uint16_t v) {
    out.put(char(v & 0xFF));
    out.put(char(v >> 8));
}

// An uncompressed bottom-up bitmap: 1, 8 or 24 bits; `index` gives the palette entry of a pixel.
template <typename Index>
void WriteBitmap(const std::string& file, int w, int h, int bits, const std::vector<Rgb>& palette,
                 Index index, const std::vector<Rgb>& truecolor) {
    const std::uint32_t stride = (std::uint32_t(w) * std::uint32_t(bits) + 31) / 32 * 4;
    const auto paletteBytes = std::uint32_t(palette.size() * 4);
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    std::ofstream out(file, std::ios::binary);
    out.write("BM", 2);
    Put32(out, offset + stride * std::uint32_t(h));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(h));
    Put16(out, 1);
    Put16(out, std::uint16_t(bits));
    Put32(out, 0);
    Put32(out, stride * std::uint32_t(h));
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, std::uint32_t(palette.size()));
    Put32(out, 0);
    for (const Rgb& c : palette) {
        out.put(char(c.B));
        out.put(char(c.G));
        out.put(char(c.R));
        out.put(0);
    }
    std::vector<std::uint8_t> row(stride);
    for (int y = h - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y * w + x);
            if (bits == 24) {
                row[std::size_t(3 * x)] = truecolor[i].B;
                row[std::size_t(3 * x + 1)] = truecolor[i].G;
                row[std::size_t(3 * x + 2)] = truecolor[i].R;
            } else if (bits == 8) {
                row[std::size_t(x)] = index(i);
            } else if (index(i)) {
                row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
            }
        }
        out.write(reinterpret_cast<const char*>(row.data()), stride);
    }
    if (!out) throw std::runtime_error("cannot write " + file);
}

struct Kind {
    int FrameWidth, FrameHeight, Frames, Bits, Colour;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sprites OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    const Kind kinds[4] = {{34, 45, 5, 8, 3}, {60, 70, 8, 24, 5}, {60, 70, 23, 8, 7}, {53, 74, 6, 8, 3}};
    try {
        for (int k = 0; k < 4; ++k) {
            const Kind& kind = kinds[k];
            Canvas sheet(kind.FrameWidth * kind.Frames, kind.FrameHeight);
            Rgb body = Palette[std::size_t(kind.Colour)], light = Palette[std::size_t(kind.Colour + 1)];
            if (k == 3) {
                body = Palette[9];
                light = Palette[4];
            } // the kicker wears pink
            for (int f = 0; f < kind.Frames; ++f) {
                Canvas frame(kind.FrameWidth, kind.FrameHeight);
                DrawBoppler(frame, kind.FrameWidth / 2.0, Dance(k, double(f) / kind.Frames), body, light,
                            kind.Bits == 24);
                for (int y = 0; y < kind.FrameHeight; ++y)
                    for (int x = 0; x < kind.FrameWidth; ++x) {
                        const std::size_t from = std::size_t(y * kind.FrameWidth + x);
                        if (frame.Opaque[from]) sheet.Plot(f * kind.FrameWidth + x, y, frame.Pixels[from]);
                    }
            }
            const std::vector<Rgb> palette8(Palette.begin(), Palette.end());
            const auto paletteIndex = [&](std::size_t i) {
                return std::uint8_t(std::find(Palette.begin(), Palette.end(), sheet.Pixels[i]) -
                                    Palette.begin());
            };
            const std::string n = std::to_string(k);
            WriteBitmap(folder + "/sprite_" + n + ".bmp", sheet.W, sheet.H, kind.Bits,
                        kind.Bits == 8 ? palette8 : std::vector<Rgb>{}, paletteIndex, sheet.Pixels);
            // Mask: white (index 1) where the background shows, black where the sprite is opaque.
            WriteBitmap(
                folder + "/mask_" + n + ".bmp", sheet.W, sheet.H, 1, {{0, 0, 0}, {255, 255, 255}},
                [&](std::size_t i) { return std::uint8_t(sheet.Opaque[i] ? 0 : 1); }, sheet.Pixels);
        }
    } catch (const std::exception& e) {
        std::cerr << "make_sprites: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
