#pragma once
// The blur of the display's processing commands, kept apart from the other filters because
// of its running sums.
#include <functional>

#include "imaging/Bitmap.h"

namespace pictavo {

// Replaces each pixel of a 24- or 32-bit bitmap, walking rows from the top and pixels from
// the left, by the mean (rounded down) of every byte position over the pixels within
// `radius` rows and columns of it that lie in the picture. The result is written at once,
// so later pixels see the new values of earlier ones. Column and window sums are kept
// running, so the cost does not grow with the radius. `radius` >= 1; rowDone(y) follows
// each finished row. Throws std::bad_alloc only.
void BlurInPlace(Bitmap& bitmap, int radius, const std::function<void(int)>& rowDone);

}  // namespace pictavo
