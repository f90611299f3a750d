#include "display/Navigation.h"

namespace pictavo {

namespace {

std::int32_t Next(std::int32_t i, std::int32_t n, bool spread) {
    if (spread) return i < n - 2 ? i + 2 : 0;
    return i < n - 1 ? i + 1 : 0;
}

std::int32_t Prev(std::int32_t i, std::int32_t n, bool spread) {
    if (!spread) return i > 0 ? i - 1 : n - 1;
    if (i > 1) return i - 2;
    if (i == 1) return 0;
    return n - 2;
}

// Comparisons are made in 64 bits: a hand-edited jump of 2^31 - 1 must not wrap around.
std::int32_t NextJump(std::int64_t i, std::int64_t n, std::int64_t j) {
    if (n - j > i) return static_cast<std::int32_t>(i + j);
    if (i < n - 1) return static_cast<std::int32_t>(n - 1);
    return 0;
}

std::int32_t PrevJump(std::int64_t i, std::int64_t n, std::int64_t j) {
    if (i > j) return static_cast<std::int32_t>(i - j);
    if (i > 0) return 0;
    return static_cast<std::int32_t>(n - 1);
}

}  // namespace

std::int32_t MovedIndex(Move move, std::int32_t index, std::int32_t count, std::int32_t jump, bool spread) {
    switch (move) {
        case Move::Next:
            return Next(index, count, spread);
        case Move::Prev:
            return Prev(index, count, spread);
        // A negative jump (only a hand-edited settings file holds one) would walk the index
        // out of the list; it moves nothing, like a jump of 0.
        case Move::NextJump:
            return NextJump(index, count, jump < 0 ? 0 : jump);
        case Move::PrevJump:
            return PrevJump(index, count, jump < 0 ? 0 : jump);
        case Move::Plus1Page:
            return Next(index, count, false);
        case Move::Minus1Page:
            return Prev(index, count, false);
    }
    return index;
}

std::optional<ShowRequest> CurrentPosition(std::int32_t index, std::int32_t count, bool spread) {
    if (index < 0 || index >= count) return std::nullopt;
    if (index >= count - 1) return ShowRequest{index, 0, false};
    return ShowRequest{index, index + 1, spread};
}

}  // namespace pictavo
