// JPEG XL pictures through libjxl: the first frame, 8-bit RGB(A) rows written by the
// decoder straight into the DIB's bottom-up rows as BGR(A).
#include <jxl/decode.h>
#include <jxl/decode_cxx.h>

#include "../common/SpiPlugin.h"

namespace {

struct JxlCodec {
    static constexpr const char* const kInfo[4] = {"00IN", "Pictavo JPEG XL plug-in (libjxl)", "*.jxl",
                                                   "JPEG XL picture"};

    static bool Sniff(const std::uint8_t* head, std::size_t size) {
        const JxlSignature s = JxlSignatureCheck(head, size);
        return s == JXL_SIG_CODESTREAM || s == JXL_SIG_CONTAINER;
    }

    // Runs the decoder up to the basic information.
    static int32_t Header(JxlDecoder* d, const spi::Input& in, JxlBasicInfo& info, int events) {
        if (JxlDecoderSubscribeEvents(d, events) != JXL_DEC_SUCCESS) return SPI_INTERNAL_ERROR;
        if (JxlDecoderSetInput(d, in.data, in.size) != JXL_DEC_SUCCESS) return SPI_INTERNAL_ERROR;
        JxlDecoderCloseInput(d);
        if (JxlDecoderProcessInput(d) != JXL_DEC_BASIC_INFO) return SPI_INTERNAL_ERROR;
        if (JxlDecoderGetBasicInfo(d, &info) != JXL_DEC_SUCCESS) return SPI_INTERNAL_ERROR;
        return spi::SizeAllowed(info.xsize, info.ysize) ? SPI_SUCCESS : SPI_OUT_OF_MEMORY;
    }

    static int32_t Measure(const spi::Input& in, std::uint32_t& w, std::uint32_t& h, int& depth) {
        const JxlDecoderPtr d = JxlDecoderMake(nullptr);
        JxlBasicInfo info;
        if (!d) return SPI_OUT_OF_MEMORY;
        const int32_t result = Header(d.get(), in, info, JXL_DEC_BASIC_INFO);
        w = info.xsize;
        h = info.ysize;
        depth = info.alpha_bits > 0 ? 32 : 24;
        return result;
    }

    static void PutPixels(void* opaque, size_t x, size_t y, size_t count, const void* pixels) {
        auto* dib = static_cast<spi::Dib*>(opaque);
        const int channels = dib->Bits() / 8;
        const auto* in = static_cast<const std::uint8_t*>(pixels);
        std::uint8_t* out = dib->Row(std::uint32_t(y)) + x * channels;
        for (size_t i = 0; i < count; ++i, in += channels, out += channels) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            if (channels == 4) out[3] = in[3];
        }
    }

    static int32_t Decode(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        const JxlDecoderPtr d = JxlDecoderMake(nullptr);
        if (!d) return SPI_OUT_OF_MEMORY;
        JxlBasicInfo info;
        int32_t result = Header(d.get(), in, info, JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE);
        if (result != SPI_SUCCESS) return result;
        if (progress.Stop(1, 4)) return SPI_ABORTED;
        result = dib.Create(info.xsize, info.ysize, info.alpha_bits > 0 ? 32 : 24);
        if (result != SPI_SUCCESS) return result;
        const JxlPixelFormat format{std::uint32_t(dib.Bits() / 8), JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
        for (;;) {
            const JxlDecoderStatus status = JxlDecoderProcessInput(d.get());
            if (status == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
                if (JxlDecoderSetImageOutCallback(d.get(), &format, PutPixels, &dib) != JXL_DEC_SUCCESS)
                    return SPI_INTERNAL_ERROR;
            } else if (status == JXL_DEC_FULL_IMAGE) {
                return SPI_SUCCESS;  // the first frame is the picture
            } else {
                return SPI_INTERNAL_ERROR;  // an error, or the data ended early
            }
        }
    }
};

}  // namespace

PICTAVO_SPI_PICTURE_PLUGIN(JxlCodec)
