#pragma once
// How the settings dialog shows settings and turns what the user typed back into them, apart
// from the controls so that the rules can be tested without a window.
#include <QChar>
#include <QList>
#include <array>
#include <cstdint>

namespace pictavo {

// The largest size in kByte whose byte count still fits the stored 32-bit number.
inline constexpr std::uint64_t kMaxSizeKByte = 0xFFFFFFFFu >> 10;  // 4194303
// Shortest slide interval stored, in milliseconds.
inline constexpr std::int32_t kMinSlideInterval = 100;

// The kByte shown for a stored size in bytes. The size is read as an unsigned 32-bit number,
// as the folder scan reads it, and truncated to whole kByte.
std::uint32_t KByteFromStoredSize(std::int32_t storedBytes);
// The stored size for a typed kByte number: shifted to bytes; a number too large for 32 bits
// is stored as kMaxSizeKByte kByte instead of wrapping round.
std::int32_t StoredSizeFromKByte(std::uint64_t kbyte);

// The stored slide interval for a typed number of milliseconds: at least kMinSlideInterval.
std::int32_t StoredSlideInterval(std::uint64_t typed);

// A colour 0x00BBGGRR from its three channels (0-255 each) and back.
std::int32_t ColourFromChannels(int red, int green, int blue);
std::array<int, 3> ChannelsOfColour(std::int32_t colour);

// True when two of the key combo boxes' positions are equal (two empty boxes, -1, included).
bool HasDuplicateKeys(const QList<int>& positions);

// What a numeric edit does with a typed character: digits are taken while the text is shorter
// than `maxDigits` (or a selection will be replaced), then refused with the beep; every other
// printable character is dropped silently; control characters (Backspace, Tab) pass.
enum class TypedCharacter { Take, Drop, DropWithBeep };
TypedCharacter JudgeTypedCharacter(QChar typed, int textLength, bool replacesSelection, int maxDigits);

}  // namespace pictavo
