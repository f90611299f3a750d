// The PNG wrapper: limits (size, chunk count and size), truncation, every colour type, in
// memory and from a file; both must give one picture.
#include <cstring>

#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bitmap fromBytes = fuzz::DecodedOrEmpty([&] { return PngDecoder::DecodeBytes({data, size}); });
    const Bitmap fromFile =
        fuzz::DecodedOrEmpty([&] { return PngDecoder().Decode(fuzz::InMemoryFile(data, size)); });
    fuzz::RequireSamePicture(fromBytes, fromFile);
    return 0;
}
