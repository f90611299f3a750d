#include <gtest/gtest.h>

#include "TestPictures.h"
#include "imaging/diziPicFilters.h"

using namespace pictavo;
using pictavo::testing::RandomBitmap;
using pictavo::testing::SameBytes;

namespace {

// Turning by the definition: right sends (x, y) to (H - 1 - y, x), left to (y, W - 1 - x).
Bitmap TurnedByDefinition(const Bitmap& s, bool right) {
    Bitmap t(s.Height(), s.Width(), s.BitsPerPixel());
    const int n = s.BytesPerPixel();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const int tx = right ? s.Height() - 1 - y : y;
            const int ty = right ? x : s.Width() - 1 - x;
            std::copy_n(s.Row(y) + x * n, n, t.Row(ty) + tx * n);
        }
    return t;
}

}  // namespace

TEST(Transforms, QuarterTurnsPlaceAOneRowPicture) {
    TDiziPicFilters f;
    Bitmap ab(2, 1, 32);
    ab.Row(0)[0] = 'A', ab.Row(0)[3] = 1, ab.Row(0)[4] = 'B', ab.Row(0)[7] = 2;
    Bitmap right = ab.Clone();
    EXPECT_TRUE(f.RotateRight(right));
    ASSERT_EQ(right.Width(), 1);
    ASSERT_EQ(right.Height(), 2);
    EXPECT_EQ(right.Row(0)[0], 'A');
    EXPECT_EQ(right.Row(0)[3], 1);  // the fourth byte travels with its pixel
    EXPECT_EQ(right.Row(1)[0], 'B');
    Bitmap left = ab.Clone();
    EXPECT_TRUE(f.RotateLeft(left));
    EXPECT_EQ(left.Row(0)[0], 'B');
    EXPECT_EQ(left.Row(0)[3], 2);
    EXPECT_EQ(left.Row(1)[0], 'A');
}

// Sizes around the band and tile edges, at both depths.
TEST(Transforms, QuarterTurnsMatchTheirDefinitionAndUndoEachOther) {
    TDiziPicFilters f;
    unsigned seed = 300;
    for (int bits : {24, 32})
        for (auto [w, h] : {std::pair{3, 2}, {1, 1}, {1, 70}, {70, 1}, {33, 65}, {129, 31}, {64, 32}}) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " at " + std::to_string(bits));
            const Bitmap source = RandomBitmap(w, h, bits, ++seed);
            Bitmap b = source.Clone();
            EXPECT_TRUE(f.RotateRight(b));
            EXPECT_TRUE(SameBytes(TurnedByDefinition(source, true), b));
            EXPECT_TRUE(f.RotateLeft(b));
            EXPECT_TRUE(SameBytes(source, b));
            EXPECT_TRUE(f.RotateLeft(b));
            EXPECT_TRUE(SameBytes(TurnedByDefinition(source, false), b));
            for (int k = 0; k < 3; ++k) f.RotateLeft(b);
            f.RotateLeft(b);
            EXPECT_TRUE(SameBytes(TurnedByDefinition(source, false), b));
        }
}

TEST(Transforms, TurnsReportEachSourceRow) {
    TDiziPicFilters f;
    std::vector<int> rows;
    f.OnRowDone = [&](int row, int count) {
        EXPECT_EQ(count, 45);
        rows.push_back(row);
    };
    Bitmap b = RandomBitmap(7, 45, 24, 5);
    f.RotateRight(b);
    ASSERT_EQ(rows.size(), 45u);
    for (int y = 0; y < 45; ++y) EXPECT_EQ(rows[y], y);
}

TEST(Transforms, FlipsMirrorAnyDepthAndUndoThemselves) {
    TDiziPicFilters f;
    for (int bits : {8, 24, 32}) {
        const Bitmap source = RandomBitmap(5, 4, bits, 40 + bits);
        const int n = source.BytesPerPixel();
        Bitmap v = source.Clone();
        EXPECT_TRUE(f.FlipVertical(v));
        Bitmap h = source.Clone();
        EXPECT_TRUE(f.FlipHorizontal(h));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                for (int k = 0; k < n; ++k) {
                    EXPECT_EQ(v.Row(3 - y)[x * n + k], source.Row(y)[x * n + k]);
                    EXPECT_EQ(h.Row(y)[(4 - x) * n + k], source.Row(y)[x * n + k]);
                }
        f.FlipVertical(v);
        f.FlipHorizontal(h);
        EXPECT_TRUE(SameBytes(source, v));
        EXPECT_TRUE(SameBytes(source, h));
    }
}

TEST(Transforms, DegenerateFlips) {
    TDiziPicFilters f;
    const Bitmap column = RandomBitmap(1, 6, 32, 7);
    Bitmap b = column.Clone();
    EXPECT_TRUE(f.FlipHorizontal(b));
    EXPECT_TRUE(SameBytes(column, b));
    const Bitmap row = RandomBitmap(6, 1, 24, 8);
    b = row.Clone();
    EXPECT_TRUE(f.FlipVertical(b));
    EXPECT_TRUE(SameBytes(row, b));
    Bitmap noRows(5, 0, 32);
    EXPECT_FALSE(f.FlipVertical(noRows));
    Bitmap noColumns(0, 5, 32);
    EXPECT_FALSE(f.FlipHorizontal(noColumns));
}
