#pragma once
// How a road judges what a collection gave it.
#include <cstdint>

namespace pictavo {

// The message of a road that collected nothing (caption "エラー").
inline constexpr const char* kNothingFoundMessage = "対応画像が見つかりません";

enum class CollectionVerdict {
    NothingFound,  // show kNothingFoundMessage, no slideshow
    GaveUp,        // the user pressed "中止": no message, no slideshow
    Start,         // start the slideshow with what was collected
};

// `count` is ImageCount after the scan; the flags are the loading window's. Nothing found wins
// over a cancel; "読み込みを止め、実行" (cancel with force) still starts.
constexpr CollectionVerdict JudgeCollection(std::int32_t count, bool cancelRequested, bool forceStart) {
    if (count <= 0) return CollectionVerdict::NothingFound;
    if (cancelRequested && !forceStart) return CollectionVerdict::GaveUp;
    return CollectionVerdict::Start;
}

}  // namespace pictavo
