#pragma once
// Run-length coded BMP pixels (RLE8, RLE4). Internal to the BMP reader.
#include <cstdint>
#include <span>

#include "decode/BmpLayout.h"
#include "imaging/Bitmap.h"

namespace pictavo {

// Expands the run-length coded pixel data `bytes` (from the layout's pixel offset on) into `indexes`, an
// 8-bit bitmap of the picture's size whose untouched pixels stay index 0. Runs past the
// right edge are clipped; a delta may skip pixels. Throws EBmpDecode when the data ends
// before the end-of-picture code or before every row has been reached.
void ExpandBmpRle(std::span<const std::uint8_t> bytes, const BmpLayout& layout, Bitmap& indexes);

}  // namespace pictavo
