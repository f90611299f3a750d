#pragma once
// Which entries are worth decoding ahead once a position is on screen: the next positions in
// the direction the user travels, then the one behind. Plain numbers in and out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/Navigation.h"

namespace pictavo {

// How the user moved last: by steps forwards or backwards, or by random jumps (where nothing
// can be guessed).
enum class Travel { Forward, Backward, Random };

// The direction a move travels in.
Travel TravelOf(Move move);

// Entries to decode ahead after position `index` of `count` is shown (`spread` in two-page
// mode), most wanted first: two positions ahead and one behind, or in spread mode the pages of
// the next spread and of the one behind. Entries on screen and duplicates are left out; at
// most `most` entries.
std::vector<std::int32_t> PrefetchPlan(std::int32_t index, std::int32_t count, bool spread, Travel travel,
                                       std::size_t most = 4);

}  // namespace pictavo
