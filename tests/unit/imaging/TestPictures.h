#pragma once
// Pictures made by code for the imaging tests, and a byte-exact comparison that names the
// first differing pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace pictavo::testing {

// Random bytes everywhere (fourth bytes included); padding stays zero.
inline Bitmap RandomBitmap(int width, int height, int bits, unsigned seed) {
    Bitmap b(width, height, bits);
    std::mt19937 gen(seed);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * b.BytesPerPixel();
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < rowBytes; ++i) b.Row(y)[i] = static_cast<std::uint8_t>(gen());
    if (bits == 8)
        for (int k = 0; k < 256; ++k) b.Palette().push_back(gen() & 0xFFFFFF);
    return b;
}

// A one-row 32-bit picture of grey pixels with the given values.
inline Bitmap GreyRow(const std::vector<int>& values) {
    Bitmap b(static_cast<int>(values.size()), 1, 32);
    for (std::size_t x = 0; x < values.size(); ++x) std::memset(b.Row(0) + 4 * x, values[x], 3);
    return b;
}

// The first channel of each pixel of row y.
inline std::vector<int> Channel0(const Bitmap& b, int y = 0) {
    std::vector<int> out;
    for (int x = 0; x < b.Width(); ++x) out.push_back(b.Row(y)[x * b.BytesPerPixel()]);
    return out;
}

inline ::testing::AssertionResult SameBytes(const Bitmap& expected, const Bitmap& actual) {
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height() ||
        expected.BitsPerPixel() != actual.BitsPerPixel())
        return ::testing::AssertionFailure() << "shape " << actual.Width() << "x" << actual.Height() << "x"
                                             << actual.BitsPerPixel() << " instead of " << expected.Width() << "x"
                                             << expected.Height() << "x" << expected.BitsPerPixel();
    const int n = expected.BytesPerPixel();
    for (int y = 0; y < expected.Height(); ++y)
        for (int i = 0; i < expected.Width() * n; ++i)
            if (expected.Row(y)[i] != actual.Row(y)[i])
                return ::testing::AssertionFailure()
                       << "pixel (" << i / n << ", " << y << ") byte " << i % n << ": " << int(actual.Row(y)[i])
                       << " instead of " << int(expected.Row(y)[i]);
    return ::testing::AssertionSuccess();
}

}  // namespace pictavo::testing
