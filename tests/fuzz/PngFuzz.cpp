// The PNG wrapper: limits (size, chunk count and size), truncation, every colour type, in
// memory and from a file; both must give one picture.
#include <cstring>

#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bitmap fromBytes;
    try {
        fromBytes = PngDecoder::DecodeBytes({data, size});
    } catch (const EDecode&) {
    }
    Bitmap fromFile;
    try {
        fromFile = PngDecoder().Decode(fuzz::InMemoryFile(data, size));
    } catch (const EDecode&) {
    }
    fuzz::Require(
        fromBytes.Width() == fromFile.Width() && fromBytes.Height() == fromFile.Height() &&
            (!fromFile.Data() || std::memcmp(fromBytes.Data(), fromFile.Data(), fromFile.ByteSize()) == 0),
        "the file and the bytes decode differently");
    return 0;
}
