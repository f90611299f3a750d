// The host's checks of a plug-in's picture blocks and their conversion through a BMP image.
// Input: two bytes giving the info block's length (little-endian, cut to what is there),
// the info block, then the pixel block. Each block is copied into its own allocation so that
// the sanitizer sees its exact end, as with a plug-in's malloc'ed blocks.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "decode/SpiDib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::size_t infoLength = std::min<std::size_t>(size - 2, data[0] | std::size_t{data[1]} << 8);
    const std::vector<std::uint8_t> info(data + 2, data + 2 + infoLength);
    const std::vector<std::uint8_t> bits(data + 2 + infoLength, data + size);
    try {
        const pictavo::Bitmap picture =
            pictavo::ConvertDib(info.data(), info.size(), bits.data(), bits.size());
        (void)picture;
    } catch (const pictavo::EDecode&) {
    } catch (const pictavo::EBitmapSize&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
