#include "config/SetupConversions.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(SetupConversionsTest, SizesAreShownInKByteAndStoredInBytesWithoutWrapping) {
    EXPECT_EQ(KByteFromStoredSize(1500), 1u);
    EXPECT_EQ(StoredSizeFromKByte(KByteFromStoredSize(1500)), 1024);
    EXPECT_EQ(StoredSizeFromKByte(0), 0);
    // Above 2 GiB the stored number is read as unsigned, as the folder scan reads it.
    EXPECT_EQ(KByteFromStoredSize(StoredSizeFromKByte(3000000)), 3000000u);
    for (std::uint64_t tooLarge : {kMaxSizeKByte, kMaxSizeKByte + 1, std::uint64_t{9999999}}) {
        EXPECT_EQ(static_cast<std::uint32_t>(StoredSizeFromKByte(tooLarge)), 0xFFFFFC00u) << tooLarge;
        EXPECT_EQ(KByteFromStoredSize(StoredSizeFromKByte(tooLarge)), kMaxSizeKByte);
    }
}

TEST(SetupConversionsTest, SlideIntervalHasAFloorAndColoursPackRedLow) {
    EXPECT_EQ(StoredSlideInterval(50), 100);
    EXPECT_EQ(StoredSlideInterval(0), 100);
    EXPECT_EQ(StoredSlideInterval(100), 100);
    EXPECT_EQ(StoredSlideInterval(999999999), 999999999);
    EXPECT_EQ(ColourFromChannels(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(ChannelsOfColour(0x563412), (std::array<int, 3>{0x12, 0x34, 0x56}));
}

// One rule for the dialog's numeric boxes and the display's settings panel.
TEST(SetupConversionsTest, TypingTakesDigitsUpToTheLimitOrOverASelection) {
    EXPECT_EQ(JudgeTypedCharacter(u'5', 8, false, 9), TypedCharacter::Take);
    EXPECT_EQ(JudgeTypedCharacter(u'5', 9, false, 9), TypedCharacter::DropWithBeep);
    EXPECT_EQ(JudgeTypedCharacter(u'5', 4, true, 4), TypedCharacter::Take);
    EXPECT_EQ(JudgeTypedCharacter(u'\b', 9, false, 9), TypedCharacter::Take);
    EXPECT_EQ(JudgeTypedCharacter(u'a', 0, false, 9), TypedCharacter::Drop);
    EXPECT_EQ(JudgeTypedCharacter(u'-', 0, false, 4), TypedCharacter::Drop);
}

TEST(SetupConversionsTest, DuplicateKeysIncludeTwoEmptyBoxes) {
    EXPECT_FALSE(HasDuplicateKeys({0, 1, 2, -1}));
    EXPECT_TRUE(HasDuplicateKeys({0, 1, 2, 1}));
    EXPECT_TRUE(HasDuplicateKeys({-1, 5, -1}));
}

}  // namespace
}  // namespace pictavo
