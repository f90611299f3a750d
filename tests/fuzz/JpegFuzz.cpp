// The JPEG wrapper: limits (size, scans, work memory), truncation and the reuse of a target
// bitmap, in memory and from a file.
#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/JpegDecoder.h"

using namespace pictavo;

namespace {

// A few bytes of a cut entropy segment decode as a whole grey picture of up to 2^28 pixels,
// which takes seconds under the sanitizers: pictures whose first frame header asks for more
// than this are left out.
constexpr std::int64_t kMaxFuzzPixels = std::int64_t{1} << 22;

bool TooLargeToFuzz(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 8 < size; ++i)
        if (data[i] == 0xFF && data[i + 1] >= 0xC0 && data[i + 1] <= 0xCF && data[i + 1] != 0xC4 &&
            data[i + 1] != 0xC8 && data[i + 1] != 0xCC)
            return std::int64_t{data[i + 5] << 8 | data[i + 6]} * (data[i + 7] << 8 | data[i + 8]) >
                   kMaxFuzzPixels;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (TooLargeToFuzz(data, size)) return 0;
    Bitmap target(3, 2, 32);  // reused when the picture has this size, replaced otherwise
    for (int pass = 0; pass < 2; ++pass) {
        try {
            JpegDecoder::DecodeInto({data, size}, target);
        } catch (const EDecode&) {
        }
    }
    try {
        JpegDecoder::DecodeFileInto(fuzz::InMemoryFile(data, size), target);
    } catch (const EDecode&) {
    }
    return 0;
}
