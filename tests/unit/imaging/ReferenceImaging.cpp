#include "ReferenceImaging.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictavo::reference {

namespace {

std::uint8_t ToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::nearbyint(v), 0.0, 255.0));
}

struct Work {
    explicit Work(const Bitmap& source, int width, int height)
        : copy(ToBits24(source)), result(width, height, 24) {
        for (int y = 0; y < copy.Height(); ++y) in.push_back(copy.Row(y));
        for (int y = 0; y < height; ++y) out.push_back(result.Row(y));
    }
    int Ws() const { return copy.Width(); }
    int Hs() const { return copy.Height(); }
    Bitmap copy, result;
    std::vector<const std::uint8_t*> in;
    std::vector<std::uint8_t*> out;
};

// Channel ch of the clamped corners of cell (i, j) as the surface coefficients a, b, c, d.
struct Cell {
    double a, b, c, d;
};
Cell CellAt(const Work& w, int i, int j, int ch) {
    const std::uint8_t* r0 = w.in[j < 0 ? 0 : j];
    const std::uint8_t* r1 = w.in[j + 1 > w.Hs() - 1 ? w.Hs() - 1 : j + 1];
    const int c0 = i < 0 ? 0 : i;
    const int c1 = i + 1 > w.Ws() - 1 ? w.Ws() - 1 : i + 1;
    EXPECT_LT(j, w.Hs());
    EXPECT_LT(i, w.Ws());
    const int p00 = r0[c0 * 3 + ch], p01 = r0[c1 * 3 + ch], p10 = r1[c0 * 3 + ch], p11 = r1[c1 * 3 + ch];
    return {double(p00), double(p01 - p00), double(p10 - p00), double(p11 + p00 - p01 - p10)};
}

double Weight(int i, double p0, double p1) {
    if (i > p0 && i + 1 < p1) return 1;
    if (i <= p0 && i + 1 < p1) return 1 - (p0 - i);
    if (i > p0) return p1 - i;
    return p1 - p0;
}

double Middle(int i, double p0, double p1) {
    if (i > p0 && i + 1 < p1) return 0.5;
    if (i <= p0 && i + 1 < p1) return (p0 - i + 1) / 2;
    if (i > p0) return (p1 - i) / 2;
    return ((p1 - i) + (p0 - i)) / 2;
}

// The mean over each target pixel's footprint: of the source pixels as flat squares, or
// (`surface`) of the bilinear surface between the pixel centres, half a pixel further on.
Bitmap AreaMean(const Bitmap& source, int width, int height, bool surface) {
    Work w(source, width, height);
    const double sx = double(w.Ws()) / width, sy = double(w.Hs()) / height;
    const double area = double(w.Ws() * w.Hs()) / width / height;
    const double divisor = surface ? area : float(area);  // the flat mean divides by a float
    const double shift = surface ? 0.5 : 0, end = surface ? 0.500001 : 0.000001;
    for (int y = 0; y < height; ++y) {
        const double y0 = y * sy - shift, y1 = (y + 1) * sy - end;
        for (int x = 0; x < width; ++x) {
            const double x0 = x * sx - shift, x1 = (x + 1) * sx - end;
            double sum[3] = {0, 0, 0};
            for (int j = int(std::floor(y0)); j <= int(std::floor(y1)); ++j) {
                for (int i = int(std::floor(x0)); i <= int(std::floor(x1)); ++i) {
                    const double wx = Weight(i, x0, x1), cx = Middle(i, x0, x1);
                    const double wy = Weight(j, y0, y1), cy = Middle(j, y0, y1);
                    for (int ch = 0; ch < 3; ++ch) {
                        const Cell k = CellAt(w, i, j, ch);
                        const double value = surface ? k.b * cx + k.d * cx * cy + k.c * cy + k.a : k.a;
                        sum[ch] += (wx * wy) * value;
                    }
                }
            }
            for (int ch = 0; ch < 3; ++ch) w.out[y][x * 3 + ch] = ToByte(sum[ch] / divisor);
        }
    }
    return std::move(w.result);
}

}  // namespace

Bitmap Bilinear(const Bitmap& source, int width, int height) {
    Work w(source, width, height);
    const double sx = double(w.Ws()) / width, sy = double(w.Hs()) / height;
    for (int y = 0; y < height; ++y) {
        const double fy = (y + 0.5) * sy - 0.5;
        const int j = int(std::floor(fy));
        const double v = fy - j;
        for (int x = 0; x < width; ++x) {
            const double fx = (x + 0.5) * sx - 0.5;
            const int i = int(std::floor(fx));
            const double u = fx - i;
            for (int ch = 0; ch < 3; ++ch) {
                const Cell k = CellAt(w, i, j, ch);
                w.out[y][x * 3 + ch] = ToByte(u * k.b + u * k.d * v + v * k.c + k.a);
            }
        }
    }
    return std::move(w.result);
}

Bitmap Integral(const Bitmap& source, int width, int height) {
    return AreaMean(source, width, height, false);
}

Bitmap BilinearIntegral(const Bitmap& source, int width, int height) {
    return AreaMean(source, width, height, true);
}

void Blur(Bitmap& bitmap, int radius) {
    const int n = bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            for (int ch = 0; ch < n; ++ch) {
                long long sum = 0, count = 0;
                for (int yy = y - radius; yy <= y + radius; ++yy)
                    for (int xx = x - radius; xx <= x + radius; ++xx)
                        if (xx >= 0 && xx < bitmap.Width() && yy >= 0 && yy < bitmap.Height()) {
                            sum += bitmap.Row(yy)[xx * n + ch];
                            ++count;
                        }
                bitmap.Row(y)[x * n + ch] = static_cast<std::uint8_t>(sum / count);
            }
        }
    }
}

}  // namespace pictavo::reference
