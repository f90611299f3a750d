// The JPEG wrapper: limits (size, scans, work memory), truncation and the reuse of a target
// bitmap, in memory and from a file.
#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/JpegDecoder.h"

using namespace pictavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
