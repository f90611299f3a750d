#include "display/PrefetchPlan.h"

#include <algorithm>

namespace pictavo {

Travel TravelOf(Move move) {
    switch (move) {
        case Move::Prev:
        case Move::PrevJump:
        case Move::Minus1Page:
            return Travel::Backward;
        default:
            return Travel::Forward;
    }
}

std::vector<std::int32_t> PrefetchPlan(std::int32_t index, std::int32_t count, bool spread, Travel travel,
                                       std::size_t most) {
    std::vector<std::int32_t> plan;
    const auto onScreen = CurrentPosition(index, count, spread);
    if (travel == Travel::Random || !onScreen) return plan;
    const Move ahead = travel == Travel::Forward ? Move::Next : Move::Prev;
    const Move behind = travel == Travel::Forward ? Move::Prev : Move::Next;

    const auto add = [&](std::int32_t entry) {
        const bool shown = entry == onScreen->index || (onScreen->twoPage && entry == onScreen->second);
        if (entry < 0 || entry >= count || shown || plan.size() >= most) return;
        if (std::find(plan.begin(), plan.end(), entry) == plan.end()) plan.push_back(entry);
    };
    const auto addPosition = [&](std::int32_t position) {
        if (const auto pages = CurrentPosition(position, count, spread)) {
            add(pages->index);
            if (pages->twoPage) add(pages->second);
        }
    };
    const std::int32_t next = MovedIndex(ahead, index, count, 1, spread);
    addPosition(next);
    if (!spread) addPosition(MovedIndex(ahead, next, count, 1, spread));
    addPosition(MovedIndex(behind, index, count, 1, spread));
    return plan;
}

}  // namespace pictavo
