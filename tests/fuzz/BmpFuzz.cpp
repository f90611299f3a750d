// The BMP reader: file images in memory in both forms, and the same bytes as a file, which is
// read header first and then only as far as the picture needs: both must give one picture.
#include <cstring>

#include "FuzzSupport.h"
#include "decode/BmpDecoder.h"
#include "decode/BmpLayout.h"
#include "decode/DecodeErrors.h"

using namespace pictavo;

namespace {

// A few bytes of run-length data may ask for up to 2^28 pixels, which takes seconds to fill
// under the sanitizers: past this size only the header is read.
constexpr std::int64_t kMaxFuzzPixels = std::int64_t{1} << 22;

bool TooLargeToFuzz(std::span<const std::uint8_t> bytes) {
    try {
        const BmpLayout layout = ReadBmpLayout(bytes);
        return std::int64_t{layout.width} * layout.height > kMaxFuzzPixels;
    } catch (const EDecode&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (TooLargeToFuzz(bytes)) return 0;
    Bitmap fromBytes;
    try {
        BmpDecoder::DecodeBytes(bytes, BmpForm::Native);
        fromBytes = BmpDecoder::DecodeBytes(bytes, BmpForm::Bits32);
    } catch (const EDecode&) {
    }
    Bitmap fromFile;
    try {
        fromFile = BmpDecoder().Decode(fuzz::InMemoryFile(data, size));
    } catch (const EDecode&) {
    }
    fuzz::Require(
        fromBytes.Width() == fromFile.Width() && fromBytes.Height() == fromFile.Height() &&
            (!fromFile.Data() || std::memcmp(fromBytes.Data(), fromFile.Data(), fromFile.ByteSize()) == 0),
        "the file and the bytes decode differently");
    return 0;
}
