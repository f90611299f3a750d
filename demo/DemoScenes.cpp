#include "DemoScenes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace demo {

namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void Put(Image& image, int x, int y, Rgb c) {
    std::uint8_t* p = image.At(x, y);
    p[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0.0, 255.0));
    p[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.0, 255.0));
    p[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0.0, 255.0));
}

Rgb Get(const Image& image, int x, int y) {
    const std::uint8_t* p = image.At(x, y);
    return {double(p[0]), double(p[1]), double(p[2])};
}

// Blends a disc with a soft rim of one pixel into the picture; `shade` lights it from the
// upper left so that it looks round.
// Rows from `clipBottom` down are left alone.
void Disc(Image& image, double cx, double cy, double radius, Rgb colour, bool shade,
          int clipBottom = 1 << 30) {
    const int x0 = std::max(0, int(cx - radius - 1)), x1 = std::min(image.width - 1, int(cx + radius + 1));
    const int y0 = std::max(0, int(cy - radius - 1));
    const int y1 = std::min({image.height - 1, int(cy + radius + 1), clipBottom - 1});
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            const double cover = std::clamp(radius - d + 0.5, 0.0, 1.0);
            if (cover <= 0) continue;
            Rgb c = colour;
            if (shade) {
                const double light =
                    std::hypot(x - (cx - radius * 0.35), y - (cy - radius * 0.35)) / (radius * 1.6);
                c = Mix(Mix(colour, {255, 255, 255}, 0.55), Mix(colour, {0, 0, 0}, 0.35), light);
            }
            Put(image, x, y, Mix(Get(image, x, y), c, cover));
        }
}

void Box(Image& image, int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = std::max(0, y0); y < std::min(image.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(image.width, x1); ++x) Put(image, x, y, colour);
}

}  // namespace

Image Sunrise(int w, int h) {
    Image image(w, h);
    const int horizon = h * 3 / 5;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (y < horizon) {
                const double t = double(y) / horizon;
                Put(image, x, y,
                    t < 0.6 ? Mix({18, 32, 92}, {196, 92, 120}, t / 0.6)
                            : Mix({196, 92, 120}, {255, 176, 84}, (t - 0.6) / 0.4));
            } else {
                const double t = double(y - horizon) / (h - horizon);
                const double shimmer = 0.5 + 0.5 * std::sin(y * 0.9 + std::sin(x * 0.02) * 3);
                const double glow = std::exp(-std::pow((x - w * 0.62) / (w * 0.06 + t * w * 0.05), 2));
                Rgb sea = Mix({200, 110, 90}, {20, 40, 80}, t);
                Put(image, x, y, Mix(sea, {255, 214, 140}, glow * shimmer * (1 - t * 0.7)));
            }
        }
    Box(image, 0, horizon, w, horizon + 2, {120, 60, 70});
    Disc(image, w * 0.62, horizon + h * 0.03, h * 0.11, {255, 226, 150}, false, horizon);
    return image;
}

Image Balloons(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(image, x, y, Mix({120, 200, 230}, {24, 60, 120}, double(y) / h));
    const Rgb colours[] = {{230, 60, 70}, {250, 190, 40}, {70, 180, 90}, {160, 90, 200}, {250, 130, 50}};
    for (int i = 0; i < 5; ++i) {
        const double cx = w * (0.25 + 0.5 * ((i * 37) % 5) / 4.0);
        const double cy = h * (0.15 + 0.16 * i);
        const double r = w * (0.11 + 0.02 * (i % 3));
        for (int y = int(cy + r); y < std::min(h, int(cy + r + h * 0.18)); ++y)
            Put(image, std::clamp(int(cx + 6 * std::sin(y * 0.05)), 0, w - 1), y, {240, 240, 240});
        Disc(image, cx, cy, r, colours[i], true);
    }
    return image;
}

Image BookPage(int w, int h, bool leftPage) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Paper darkens towards the spine, which is the right edge of the left page.
            const double toSpine = leftPage ? double(w - 1 - x) / w : double(x) / w;
            Put(image, x, y, Mix({200, 188, 160}, {250, 244, 228}, std::sqrt(toSpine * 8)));
        }
    const int margin = w / 10;
    const int pictureTop = h / 10, pictureBottom = h / 2;
    for (int y = pictureTop; y < pictureBottom; ++y)
        for (int x = margin; x < w - margin; ++x) {
            const double t = double(y - pictureTop) / (pictureBottom - pictureTop);
            Put(image, x, y,
                leftPage ? Mix({90, 160, 210}, {230, 240, 250}, t) : Mix({250, 200, 120}, {200, 90, 80}, t));
        }
    if (leftPage) {
        Disc(image, w * 0.35, h * 0.25, w * 0.12, {250, 250, 245}, false);
        Disc(image, w * 0.6, h * 0.38, w * 0.18, {80, 150, 80}, true);
    } else {
        Disc(image, w * 0.5, h * 0.3, w * 0.16, {250, 230, 120}, true);
    }
    // Lines of text as soft grey bars of varying length.
    for (int line = 0; line < 12; ++line) {
        const int y = pictureBottom + h / 20 + line * (h / 32);
        const int length = (w - 2 * margin) * (60 + (line * 29 + (leftPage ? 7 : 3)) % 40) / 100;
        Box(image, margin, y, margin + length, y + h / 90 + 2, {110, 104, 96});
    }
    const double pageNumberX = leftPage ? margin : w - margin;
    Disc(image, pageNumberX, h - h / 20.0, h / 120.0 + 3, {110, 104, 96}, false);
    return image;
}

Image Panorama(int w, int h) {
    Image image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(image, x, y, Mix({70, 50, 130}, {250, 170, 160}, double(y) / h));
    const Rgb ranges[] = {{150, 110, 160}, {100, 70, 120}, {55, 40, 80}, {25, 20, 45}};
    for (int layer = 0; layer < 4; ++layer) {
        const double base = h * (0.45 + 0.13 * layer);
        for (int x = 0; x < w; ++x) {
            const double ridge =
                base - h * 0.12 * (std::sin(x * 0.004 + layer * 1.7) + 0.5 * std::sin(x * 0.011 + layer)) -
                h * 0.03 * std::sin(x * 0.045 + layer * 3);
            for (int y = std::max(0, int(ridge)); y < h; ++y) Put(image, x, y, ranges[layer]);
        }
    }
    Disc(image, w * 0.8, h * 0.22, h * 0.07, {255, 240, 220}, false);
    return image;
}

std::vector<Image> SpinnerFrames(int size, int count) {
    std::vector<Image> frames;
    const double c = size / 2.0;
    for (int f = 0; f < count; ++f) {
        Image image(size, size);
        // Flat colours that the GIF palette holds exactly.
        Box(image, 0, 0, size, size, {0, 0, 51});
        for (int dot = 0; dot < 8; ++dot) {
            const double angle = 2 * std::numbers::pi * (dot + double(f) / count) / 8;
            const double age = double(dot) / 8;
            Disc(image, c + c * 0.62 * std::cos(angle), c + c * 0.62 * std::sin(angle),
                 size * (0.04 + 0.05 * age), Mix({51, 102, 255}, {255, 255, 102}, age), false);
        }
        frames.push_back(std::move(image));
    }
    return frames;
}

}  // namespace demo
