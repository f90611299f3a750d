#include <gtest/gtest.h>

#include "TestPictures.h"
#include "imaging/diziPicFilters.h"

using namespace pictavo;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

using Op = bool (TDiziPicFilters::*)(Bitmap&);
struct Move {
    const char* name;
    Op op, undo;
};
const Move kMoves[] = {{"right", &TDiziPicFilters::RotateRight, &TDiziPicFilters::RotateLeft},
                       {"left", &TDiziPicFilters::RotateLeft, &TDiziPicFilters::RotateRight},
                       {"vertical", &TDiziPicFilters::FlipVertical, &TDiziPicFilters::FlipVertical},
                       {"horizontal", &TDiziPicFilters::FlipHorizontal, &TDiziPicFilters::FlipHorizontal}};

// Moving by the definition: where pixel (x, y) of a w x h picture goes.
Bitmap Moved(const Bitmap& s, const Move& m) {
    const int w = s.Width(), h = s.Height(), n = s.BytesPerPixel();
    const bool turn = m.op == &TDiziPicFilters::RotateRight || m.op == &TDiziPicFilters::RotateLeft;
    Bitmap t(turn ? h : w, turn ? w : h, s.BitsPerPixel());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto [tx, ty] = m.op == &TDiziPicFilters::RotateRight    ? std::pair{h - 1 - y, x}
                                  : m.op == &TDiziPicFilters::RotateLeft   ? std::pair{y, w - 1 - x}
                                  : m.op == &TDiziPicFilters::FlipVertical ? std::pair{x, h - 1 - y}
                                                                           : std::pair{w - 1 - x, y};
            std::copy_n(s.Row(y) + x * n, n, t.Row(ty) + tx * n);
        }
    return t;
}

}  // namespace

// Sizes around the band and tile edges; one-row and one-column pictures are their own
// mirror images along that axis. Palette pictures may be flipped but not turned.
TEST(Transforms, MatchTheirDefinitionAndAreUndoneByTheirInverse) {
    TDiziPicFilters f;
    unsigned seed = 300;
    for (int bits : {8, 24, 32})
        for (auto [w, h] : {std::pair{3, 2}, {1, 1}, {1, 70}, {70, 1}, {33, 65}, {129, 31}, {64, 32}})
            for (const Move& m : kMoves) {
                if (bits == 8 && m.op != m.undo) continue;
                SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " at " + std::to_string(bits) +
                             " " + m.name);
                const Bitmap source = RandomBitmap(w, h, bits, ++seed);
                Bitmap b = source.Clone();
                EXPECT_TRUE((f.*m.op)(b));
                EXPECT_TRUE(SameBytes(Moved(source, m), b));
                EXPECT_TRUE((f.*m.undo)(b));
                EXPECT_TRUE(SameBytes(source, b));
            }
    Bitmap noRows(5, 0, 32), noColumns(0, 5, 32);
    EXPECT_FALSE(f.FlipVertical(noRows));
    EXPECT_FALSE(f.FlipHorizontal(noColumns));
}
