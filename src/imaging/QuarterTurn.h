#pragma once
// Quarter turns of a picture, done tile by tile: a plain column-wise walk touches a new cache
// line for every pixel it writes, a tile keeps both its source and target lines in cache.
#include <functional>

#include "imaging/Bitmap.h"

namespace pictavo {

enum class TurnDirection { Left, Right };

// Returns a new bitmap of the same 24- or 32-bit format, Height() wide and Width() high,
// holding `source` turned a quarter counter-clockwise (Left) or clockwise (Right). Calls
// rowDone(y, source.Height()) once per source row, in order, after that row has been copied.
// Throws std::bad_alloc; `source` must be 24- or 32-bit.
Bitmap TurnQuarter(const Bitmap& source, TurnDirection direction, const std::function<void(int, int)>& rowDone);

}  // namespace pictavo
