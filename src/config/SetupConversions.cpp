#include "config/SetupConversions.h"

#include <algorithm>

namespace pictavo {

std::uint32_t KByteFromStoredSize(std::int32_t storedBytes) {
    return static_cast<std::uint32_t>(storedBytes) >> 10;
}

std::int32_t StoredSizeFromKByte(std::uint64_t kbyte) {
    const auto bytes = static_cast<std::uint32_t>(std::min(kbyte, kMaxSizeKByte) << 10);
    return static_cast<std::int32_t>(bytes);  // the same 32 bits, read back as unsigned
}

std::int32_t StoredSlideInterval(std::uint64_t typed) {
    const std::uint64_t interval = std::clamp<std::uint64_t>(typed, kMinSlideInterval, INT32_MAX);
    return static_cast<std::int32_t>(interval);
}

std::int32_t ColourFromChannels(int red, int green, int blue) {
    return red + green * 256 + blue * 65536;
}

std::array<int, 3> ChannelsOfColour(std::int32_t colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}

bool HasDuplicateKeys(const QList<int>& positions) {
    for (qsizetype i = 0; i < positions.size(); ++i) {
        for (qsizetype j = i + 1; j < positions.size(); ++j) {
            if (positions[i] == positions[j]) return true;
        }
    }
    return false;
}

TypedCharacter JudgeTypedCharacter(QChar typed, int textLength, bool replacesSelection, int maxDigits) {
    if (typed.unicode() < 0x20 || typed.unicode() == 0x7F) return TypedCharacter::Take;
    if (typed < u'0' || typed > u'9') return TypedCharacter::Drop;
    return textLength < maxDigits || replacesSelection ? TypedCharacter::Take : TypedCharacter::DropWithBeep;
}

}  // namespace pictavo
