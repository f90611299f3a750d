#include "imaging/diziPicFilters.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "imaging/BoxBlur.h"
#include "imaging/QuarterTurn.h"

namespace pictavo {

namespace {

typedef std::uint8_t Bytes16 __attribute__((vector_size(16)));

// Sixteen bytes holding `colour` in the colour positions of a row and `fourth` in the
// fourth-byte positions of 32-bit pixels (24-bit rows have colour bytes only).
Bytes16 Pattern(int bytesPerPixel, std::uint8_t colour, std::uint8_t fourth) {
    Bytes16 p;
    for (int i = 0; i < 16; ++i) p[i] = (bytesPerPixel == 4 && i % 4 == 3) ? fourth : colour;
    return p;
}

// Applies `op` to the pixel bytes of every row, sixteen at a time: the pattern repeats every
// four bytes (32-bit) or is uniform (24-bit), so a block starting on a pixel boundary lines
// up with it. `op` works on a Bytes16 and on a single byte with its pattern byte.
template <typename Op>
void ForEachRowBytes(Bitmap& bitmap, const Bytes16& pattern, Op op, const std::function<void(int)>& rowDone) {
    const std::size_t rowBytes = static_cast<std::size_t>(bitmap.Width()) * bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* row = bitmap.Row(y);
        std::size_t i = 0;
        for (; i + 16 <= rowBytes; i += 16) {
            Bytes16 v;
            std::memcpy(&v, row + i, 16);
            v = op(v, pattern);
            std::memcpy(row + i, &v, 16);
        }
        for (; i < rowBytes; ++i) row[i] = op(row[i], pattern[i % 16]);
        rowDone(y);
    }
}

void MonochromeRow24(std::uint8_t* row, int width) {
    for (int x = 0; x < width; ++x) {
        std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
        const unsigned grey = (77u * p[2] + 150u * p[1] + 29u * p[0]) >> 8;
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey);
    }
}

// 32-bit pixels, four at a time where the processor has SSE2: the three weighted bytes
// are summed with one multiply-add on 16-bit lanes (the sum stays below 2^16).
void MonochromeRow32(std::uint8_t* row, int width) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i weights = _mm_setr_epi16(29, 150, 77, 0, 29, 150, 77, 0);
    const __m128i zero = _mm_setzero_si128();
    const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 4 <= width; x += 4) {
        std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        // Per pixel two partial sums, (29 b + 150 g) and 77 r, in neighbouring 32-bit lanes.
        const __m128i lo = _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), weights);
        const __m128i hi = _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), weights);
        const __m128 evens = _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 odds = _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(3, 1, 3, 1));
        const __m128i grey = _mm_srli_epi32(_mm_add_epi32(_mm_castps_si128(evens), _mm_castps_si128(odds)), 8);
        const __m128i spread = _mm_or_si128(grey, _mm_or_si128(_mm_slli_epi32(grey, 8), _mm_slli_epi32(grey, 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_or_si128(spread, _mm_and_si128(v, fourth)));
    }
#endif
    for (; x < width; ++x) {
        std::uint32_t p;
        std::memcpy(&p, row + 4 * static_cast<std::size_t>(x), 4);
        const std::uint32_t grey = (77u * ((p >> 16) & 0xFF) + 150u * ((p >> 8) & 0xFF) + 29u * (p & 0xFF)) >> 8;
        p = (p & 0xFF000000u) | grey * 0x010101u;
        std::memcpy(row + 4 * static_cast<std::size_t>(x), &p, 4);
    }
}

// Each op works on sixteen bytes at once and on a single byte with its pattern byte.
struct Invert {
    Bytes16 operator()(Bytes16 v, Bytes16 mask) const { return v ^ mask; }
    std::uint8_t operator()(std::uint8_t v, std::uint8_t mask) const { return v ^ mask; }
};
// Saturating add and subtract: a result that wrapped around is the sign of passing 255 or 0.
struct AddClamped {
    Bytes16 operator()(Bytes16 v, Bytes16 k) const {
        const Bytes16 sum = v + k;
        return sum | reinterpret_cast<Bytes16>(sum < v);
    }
    std::uint8_t operator()(std::uint8_t v, std::uint8_t k) const {
        return static_cast<std::uint8_t>(std::min(v + k, 255));
    }
};
struct SubtractClamped {
    Bytes16 operator()(Bytes16 v, Bytes16 k) const {
        const Bytes16 diff = v - k;
        return diff & reinterpret_cast<Bytes16>(diff <= v);
    }
    std::uint8_t operator()(std::uint8_t v, std::uint8_t k) const {
        return static_cast<std::uint8_t>(std::max(v - k, 0));
    }
};

template <typename Unit>
void ReverseUnits(std::uint8_t* row, int count) {
    for (int a = 0, b = count - 1; a < b; ++a, --b) {
        Unit ua, ub;
        std::memcpy(&ua, row + sizeof(Unit) * a, sizeof(Unit));
        std::memcpy(&ub, row + sizeof(Unit) * b, sizeof(Unit));
        std::memcpy(row + sizeof(Unit) * a, &ub, sizeof(Unit));
        std::memcpy(row + sizeof(Unit) * b, &ua, sizeof(Unit));
    }
}

struct Three {
    std::uint8_t b[3];
};

}  // namespace

bool TDiziPicFilters::Monochrome(Bitmap& bitmap) {
    if (!IsTrueColour(bitmap)) return false;
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.BitsPerPixel() == 32)
            MonochromeRow32(bitmap.Row(y), bitmap.Width());
        else
            MonochromeRow24(bitmap.Row(y), bitmap.Width());
        RowDone(y, bitmap.Height());
    }
    return true;
}

bool TDiziPicFilters::Negative(Bitmap& bitmap) {
    if (!IsTrueColour(bitmap)) return false;
    const Bytes16 mask = Pattern(bitmap.BytesPerPixel(), 0xFF, 0);
    ForEachRowBytes(bitmap, mask, Invert{}, [&](int y) { RowDone(y, bitmap.Height()); });
    return true;
}

bool TDiziPicFilters::Brightness(Bitmap& bitmap, std::int16_t amount) {
    if (!IsTrueColour(bitmap)) return false;
    const auto step = static_cast<std::uint8_t>(std::min(std::abs(static_cast<int>(amount)), 255));
    const Bytes16 k = Pattern(bitmap.BytesPerPixel(), step, 0);
    auto rowDone = [&](int y) { RowDone(y, bitmap.Height()); };
    if (amount >= 0)
        ForEachRowBytes(bitmap, k, AddClamped{}, rowDone);
    else
        ForEachRowBytes(bitmap, k, SubtractClamped{}, rowDone);
    return true;
}

bool TDiziPicFilters::Blur(Bitmap& bitmap, std::int16_t radius) {
    if (radius <= 0 || !IsTrueColour(bitmap)) return false;
    BlurInPlace(bitmap, radius, [&](int y) { RowDone(y, bitmap.Height()); });
    return true;
}

bool TDiziPicFilters::RotateLeft(Bitmap& bitmap) {
    if (!IsTrueColour(bitmap)) return false;
    bitmap = TurnQuarter(bitmap, TurnDirection::Left, [&](int y, int h) { RowDone(y, h); });
    return true;
}

bool TDiziPicFilters::RotateRight(Bitmap& bitmap) {
    if (!IsTrueColour(bitmap)) return false;
    bitmap = TurnQuarter(bitmap, TurnDirection::Right, [&](int y, int h) { RowDone(y, h); });
    return true;
}

bool TDiziPicFilters::FlipVertical(Bitmap& bitmap) {
    const std::size_t rowBytes = bitmap.Stride();
    std::vector<std::uint8_t> spare(rowBytes);
    for (int a = 0, b = bitmap.Height() - 1; a < b; ++a, --b) {
        std::memcpy(spare.data(), bitmap.Row(a), rowBytes);
        std::memcpy(bitmap.Row(a), bitmap.Row(b), rowBytes);
        std::memcpy(bitmap.Row(b), spare.data(), rowBytes);
    }
    return bitmap.Height() > 0;
}

bool TDiziPicFilters::FlipHorizontal(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        switch (bitmap.BytesPerPixel()) {
            case 1: std::reverse(bitmap.Row(y), bitmap.Row(y) + bitmap.Width()); break;
            case 3: ReverseUnits<Three>(bitmap.Row(y), bitmap.Width()); break;
            default: ReverseUnits<std::uint32_t>(bitmap.Row(y), bitmap.Width()); break;
        }
    }
    return bitmap.Width() > 0;
}

}  // namespace pictavo
