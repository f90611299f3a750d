#include <gtest/gtest.h>

#include <cstring>

#include "imaging/Bitmap.h"

using namespace pictavo;

TEST(Bitmap, RefusesSizesBeyondTheLimitBeforeAllocating) {
    EXPECT_THROW(Bitmap(100000, 100000, 32), EBitmapSize);
    EXPECT_THROW(Bitmap(-1, 5, 32), EBitmapSize);
    EXPECT_THROW(Bitmap(5, 5, 16), EBitmapSize);
    EXPECT_THROW(CheckedPixelCount(std::int64_t{1} << 40, std::int64_t{1} << 40), EBitmapSize);
}

TEST(Bitmap, ConversionsKeepColoursAndUsePalette) {
    Bitmap pal(2, 1, 8);
    pal.Palette() = {0x00112233, 0x00AABBCC};
    pal.Row(0)[0] = 1;
    pal.Row(0)[1] = 7;  // outside the palette: black
    const Bitmap b32 = ToBits32(pal);
    EXPECT_EQ((std::vector<int>{b32.Row(0)[0], b32.Row(0)[1], b32.Row(0)[2], b32.Row(0)[4]}),
              (std::vector<int>{0xCC, 0xBB, 0xAA, 0}));
    const Bitmap b24 = ToBits24(b32).Clone();
    EXPECT_EQ((std::vector<int>{b24.Row(0)[0], b24.Row(0)[2], b24.Row(0)[3]}),
              (std::vector<int>{0xCC, 0xAA, 0}));
}

// Pictures of a few megabytes and more are mapped from the system rather than taken from
// the heap: they still start zeroed, writable to the last byte, and aligned for the
// streaming stores of the turns.
TEST(Bitmap, LargePicturesStartZeroedAndAligned) {
    for (int bits : {24, 32}) {
        Bitmap big(3001, 2000, bits);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(big.Data()) % 64, 0u);
        EXPECT_EQ(big.Row(0)[0] | big.Row(1999)[big.Stride() - 1] | big.Row(1000)[77], 0);
        big.Row(1999)[big.Stride() - 1] = 9;
        EXPECT_EQ(big.Clone().Row(1999)[big.Stride() - 1], 9);
    }
}

// The next picture of the same size takes over the memory of the one just freed, and still
// starts zeroed: a decoder that leaves pixels alone must not show the old picture's.
TEST(Bitmap, AFreedLargePictureIsReusedZeroed) {
    const std::uint8_t* first = nullptr;
    {
        Bitmap old(3000, 2000, 32);
        first = old.Data();
        std::memset(old.Data(), 0x5A, old.ByteSize());
    }
    const Bitmap next(3000, 2000, 32);
    EXPECT_EQ(next.Data(), first);
    EXPECT_EQ(next.Row(0)[0] | next.Row(1000)[4000] | next.Row(1999)[next.Stride() - 1], 0);
}

// Flattening skips a picture known to be opaque, so the mark must not outlive a write.
TEST(Bitmap, TheOpaqueMarkFollowsThePixelsAndIsForgottenOnAWrite) {
    Bitmap b(2, 2, 32);
    b.MarkOpaque();
    Bitmap moved = std::move(b);
    EXPECT_TRUE(moved.KnownOpaque());
    EXPECT_TRUE(moved.Clone().KnownOpaque());
    moved.Row(1)[3] = 0;
    EXPECT_FALSE(moved.KnownOpaque());
    Bitmap indexes(2, 2, 8);
    indexes.MarkOpaque();
    EXPECT_FALSE(indexes.KnownOpaque());
}
