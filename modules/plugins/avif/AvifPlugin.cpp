// AVIF pictures through libavif: the first (or only) picture, converted to 8-bit BGR(A)
// right into the DIB's block, which is then turned bottom-up.
#include <avif/avif.h>

#include <memory>

#include "../common/SpiPlugin.h"

namespace {

struct DecoderFree {
    void operator()(avifDecoder* d) const { avifDecoderDestroy(d); }
};
using Decoder = std::unique_ptr<avifDecoder, DecoderFree>;

struct AvifCodec {
    static constexpr const char* const kInfo[4] = {"00IN", "Pictavo AVIF plug-in (libavif)", "*.avif",
                                                   "AVIF picture"};

    static bool Sniff(const std::uint8_t* head, std::size_t size) {
        return spi::HasFtypBrand(head, size, "avif") || spi::HasFtypBrand(head, size, "avis");
    }

    // A decoder with the picture's header read; null when it is not an AVIF we take.
    static int32_t Open(const spi::Input& in, Decoder& decoder) {
        decoder.reset(avifDecoderCreate());
        if (!decoder) return SPI_OUT_OF_MEMORY;
        decoder->maxThreads = 1;
        decoder->imageSizeLimit = static_cast<uint32_t>(spi::kMaxPixels);
        decoder->ignoreExif = decoder->ignoreXMP = AVIF_TRUE;
        if (avifDecoderSetIOMemory(decoder.get(), in.data, in.size) != AVIF_RESULT_OK)
            return SPI_INTERNAL_ERROR;
        if (avifDecoderParse(decoder.get()) != AVIF_RESULT_OK) return SPI_INTERNAL_ERROR;
        if (!spi::SizeAllowed(decoder->image->width, decoder->image->height)) return SPI_OUT_OF_MEMORY;
        return SPI_SUCCESS;
    }

    static int32_t Measure(const spi::Input& in, std::uint32_t& w, std::uint32_t& h, int& depth) {
        Decoder decoder;
        const int32_t result = Open(in, decoder);
        if (result != SPI_SUCCESS) return result;
        w = decoder->image->width;
        h = decoder->image->height;
        depth = decoder->alphaPresent ? 32 : 24;
        return SPI_SUCCESS;
    }

    static int32_t Decode(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        Decoder decoder;
        int32_t result = Open(in, decoder);
        if (result != SPI_SUCCESS) return result;
        if (progress.Stop(1, 4)) return SPI_ABORTED;
        if (avifDecoderNextImage(decoder.get()) != AVIF_RESULT_OK) return SPI_INTERNAL_ERROR;
        if (progress.Stop(3, 4)) return SPI_ABORTED;
        const avifImage* image = decoder->image;
        result = dib.Create(image->width, image->height, image->alphaPlane != nullptr ? 32 : 24);
        if (result != SPI_SUCCESS) return result;
        avifRGBImage rgb;
        avifRGBImageSetDefaults(&rgb, image);
        rgb.format = dib.Bits() == 32 ? AVIF_RGB_FORMAT_BGRA : AVIF_RGB_FORMAT_BGR;
        rgb.depth = 8;
        rgb.pixels = dib.Block();
        rgb.rowBytes = static_cast<uint32_t>(dib.Stride());
        if (avifImageYUVToRGB(image, &rgb) != AVIF_RESULT_OK) return SPI_INTERNAL_ERROR;
        dib.FlipRows();
        return SPI_SUCCESS;
    }
};

}  // namespace

PICTAVO_SPI_PICTURE_PLUGIN(AvifCodec)
