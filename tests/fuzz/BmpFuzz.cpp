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
    const Bitmap fromBytes = fuzz::DecodedOrEmpty([&] {
        (void)BmpDecoder::DecodeBytes(bytes, BmpForm::Native);
        return BmpDecoder::DecodeBytes(bytes, BmpForm::Bits32);
    });
    const Bitmap fromFile =
        fuzz::DecodedOrEmpty([&] { return BmpDecoder().Decode(fuzz::InMemoryFile(data, size)); });
    fuzz::RequireSamePicture(fromBytes, fromFile);
    return 0;
}
