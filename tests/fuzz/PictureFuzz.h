#pragma once
// What the picture readers' harnesses share: a reader's two forms (bytes in memory and a
// file) must give the same picture, or both refuse the input.
#include <cstring>

#include "FuzzSupport.h"
#include "decode/PictureRegistry.h"

namespace pictavo::fuzz {

// The picture `decode()` gives, or an empty one when the reader refuses the input.
template <typename Decode>
Bitmap DecodedOrEmpty(Decode decode) {
    try {
        return decode();
    } catch (const EDecode&) {
        return {};
    }
}

inline void RequireSamePicture(const Bitmap& fromBytes, const Bitmap& fromFile) {
    Require(
        fromBytes.Width() == fromFile.Width() && fromBytes.Height() == fromFile.Height() &&
            (!fromFile.Data() || std::memcmp(fromBytes.Data(), fromFile.Data(), fromFile.ByteSize()) == 0),
        "the file and the bytes decode differently");
}

}  // namespace pictavo::fuzz
