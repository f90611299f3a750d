// WebP pictures through libwebp: still pictures decode straight into the bottom-up DIB in
// slices (so progress is real and a stop is quick); an animated WebP gives its first frame.
#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "../common/SpiPlugin.h"

namespace {

struct WebpCodec {
    static constexpr const char* const kInfo[4] = {"00IN", "Pictavo WebP plug-in (libwebp)", "*.webp",
                                                   "WebP picture"};

    static bool Sniff(const std::uint8_t* head, std::size_t size) {
        return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0;
    }

    static int32_t Features(const spi::Input& in, WebPBitstreamFeatures& f) {
        if (WebPGetFeatures(in.data, in.size, &f) != VP8_STATUS_OK) return SPI_INTERNAL_ERROR;
        if (!spi::SizeAllowed(f.width, f.height)) return SPI_OUT_OF_MEMORY;
        return SPI_SUCCESS;
    }

    static int32_t Measure(const spi::Input& in, std::uint32_t& w, std::uint32_t& h, int& depth) {
        WebPBitstreamFeatures f;
        const int32_t result = Features(in, f);
        w = f.width;
        h = f.height;
        depth = f.has_alpha ? 32 : 24;
        return result;
    }

    static int32_t Decode(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        WebPBitstreamFeatures f;
        int32_t result = Features(in, f);
        if (result != SPI_SUCCESS) return result;
        result = dib.Create(f.width, f.height, f.has_alpha ? 32 : 24);
        if (result != SPI_SUCCESS) return result;
        return f.has_animation ? FirstFrame(in, dib) : Still(in, dib, progress);
    }

    struct IDecoderFree {
        void operator()(WebPIDecoder* d) const { WebPIDelete(d); }
    };

    static int32_t Still(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        WebPDecoderConfig config;
        if (!WebPInitDecoderConfig(&config)) return SPI_INTERNAL_ERROR;
        // Flipped output is the DIB's bottom-up order; the rows go straight into its block.
        config.options.flip = 1;
        config.output.colorspace = dib.Bits() == 32 ? MODE_BGRA : MODE_BGR;
        config.output.is_external_memory = 1;
        const std::size_t stride = (std::size_t{dib.Width()} * dib.Bits() + 31) / 32 * 4;
        config.output.u.RGBA.rgba = dib.Row(dib.Height() - 1);
        config.output.u.RGBA.stride = static_cast<int>(stride);
        config.output.u.RGBA.size = stride * dib.Height();
        std::unique_ptr<WebPIDecoder, IDecoderFree> decoder(WebPIDecode(nullptr, 0, &config));
        if (!decoder) return SPI_OUT_OF_MEMORY;
        // Slices of about a sixteenth, at least 64 KiB, give progress without slowing the decode.
        const std::size_t slice = std::max<std::size_t>(in.size / 16, 64 * 1024);
        for (std::size_t at = 0; at < in.size; at += slice) {
            const std::size_t n = std::min(slice, in.size - at);
            const VP8StatusCode status = WebPIAppend(decoder.get(), in.data + at, n);
            if (status == VP8_STATUS_OK) return SPI_SUCCESS;
            if (status != VP8_STATUS_SUSPENDED) return SPI_INTERNAL_ERROR;
            if (progress.Stop(at + n, in.size)) return SPI_ABORTED;
        }
        return SPI_INTERNAL_ERROR;  // the data ended before the picture
    }

    struct AnimFree {
        void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
    };

    static int32_t FirstFrame(const spi::Input& in, spi::Dib& dib) {
        WebPAnimDecoderOptions options;
        if (!WebPAnimDecoderOptionsInit(&options)) return SPI_INTERNAL_ERROR;
        options.color_mode = MODE_RGBA;
        const WebPData data{in.data, in.size};
        std::unique_ptr<WebPAnimDecoder, AnimFree> decoder(WebPAnimDecoderNew(&data, &options));
        WebPAnimInfo info;
        if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return SPI_INTERNAL_ERROR;
        if (info.canvas_width != dib.Width() || info.canvas_height != dib.Height()) return SPI_INTERNAL_ERROR;
        std::uint8_t* canvas = nullptr;
        int timestamp = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) return SPI_INTERNAL_ERROR;
        for (std::uint32_t y = 0; y < dib.Height(); ++y)
            dib.PutRgbRow(y, canvas + std::size_t{y} * dib.Width() * 4, 4);
        return SPI_SUCCESS;
    }
};

}  // namespace

PICTAVO_SPI_PICTURE_PLUGIN(WebpCodec)
