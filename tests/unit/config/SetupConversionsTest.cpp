#include "config/SetupConversions.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

TEST(SetupConversionsTest, SizesAreShownInKByteAndStoredInBytesWithoutWrapping) {
    // Ordinary sizes are the settings dialog's round trip. Above 2 GiB the stored number is read as unsigned,
    // as the folder scan reads it.
    EXPECT_EQ(KByteFromStoredSize(StoredSizeFromKByte(3000000)), 3000000u);
    for (std::uint64_t tooLarge : {kMaxSizeKByte, kMaxSizeKByte + 1, std::uint64_t{9999999}}) {
        EXPECT_EQ(static_cast<std::uint32_t>(StoredSizeFromKByte(tooLarge)), 0xFFFFFC00u) << tooLarge;
        EXPECT_EQ(KByteFromStoredSize(StoredSizeFromKByte(tooLarge)), kMaxSizeKByte);
    }
}

TEST(SetupConversionsTest, SlideIntervalHasAFloorAndColoursPackRedLow) {
    EXPECT_EQ(StoredSlideInterval(100), 100);  // 50 becomes 100 in the dialog's test
    EXPECT_EQ(StoredSlideInterval(999999999), 999999999);
    EXPECT_EQ(ColourFromChannels(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(ChannelsOfColour(0x563412), (std::array<int, 3>{0x12, 0x34, 0x56}));
}

// One rule for the dialog's numeric boxes and the display's settings panel; their window tests
// type digits past the limit, letters, signs and Backspace. Typing over a selection is no
// longer text.
TEST(SetupConversionsTest, TypingOverASelectionAtTheLimitIsTaken) {
    EXPECT_EQ(JudgeTypedCharacter(u'5', 4, true, 4), TypedCharacter::Take);
}

TEST(SetupConversionsTest, DuplicateKeysIncludeTwoEmptyBoxes) {
    EXPECT_FALSE(HasDuplicateKeys({0, 1, 2, -1}));
    EXPECT_TRUE(HasDuplicateKeys({-1, 5, -1}));
}

}  // namespace
}  // namespace pictavo
