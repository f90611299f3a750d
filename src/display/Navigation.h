#pragma once
// Index arithmetic of the slideshow: where each moving command takes the current index, and
// which picture(s) the window shows for an index. Plain numbers in, plain numbers out, so the
// rules at both ends of the list are testable without a window.
#include <cstdint>
#include <optional>

namespace pictavo {

// The commands that move the index by entries (the random jump is RandomGenerator's).
enum class Move { Next, Prev, NextJump, PrevJump, Plus1Page, Minus1Page };

// New index after `move` from `index` in a list of `count` entries, with `jump` entries per
// jump and `spread` set in two-page mode. Stepping wraps at both ends; a jump that would run
// past an end stops on the end picture first. Spread mode only changes Next and Prev (pairs);
// Prev in spread mode with a one-entry list gives -1, which shows nothing until the next move.
std::int32_t MovedIndex(Move move, std::int32_t index, std::int32_t count, std::int32_t jump, bool spread);

// What the window passes to ShowPictures for a position.
struct ShowRequest {
    std::int32_t index = 0;
    std::int32_t second = 0;
    bool twoPage = false;

    bool operator==(const ShowRequest&) const = default;
};

// The picture(s) to show for `index`: the last entry is always shown alone, otherwise the pair
// (index, index + 1) in spread mode. Empty when `index` lies outside the list (the area is
// then left blank rather than reading past the list).
std::optional<ShowRequest> CurrentPosition(std::int32_t index, std::int32_t count, bool spread);

}  // namespace pictavo
