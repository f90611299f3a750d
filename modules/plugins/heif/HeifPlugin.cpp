// HEIF/HEIC pictures through libheif: the primary picture, as 8-bit RGB(A), copied into the
// DIB as BGR(A) bottom-up. AVIF files are left to the AVIF plug-in (their brands differ).
#include <libheif/heif.h>

#include <memory>

#include "../common/SpiPlugin.h"

namespace {

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleFree {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageFree {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};

struct Primary {
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleFree> handle;
};

struct HeifCodec {
    static constexpr const char* const kInfo[4] = {"00IN", "Pictavo HEIF plug-in (libheif)", "*.heic;*.heif",
                                                   "HEIF picture"};

    static bool Sniff(const std::uint8_t* head, std::size_t size) {
        for (const char* brand : {"heic", "heix", "heim", "heis", "hevc", "hevx"})
            if (spi::HasFtypBrand(head, size, brand)) return true;
        return false;
    }

    static int32_t Open(const spi::Input& in, Primary& p) {
        p.context.reset(heif_context_alloc());
        if (!p.context) return SPI_OUT_OF_MEMORY;
        // The memory stays the caller's for the whole call, so libheif need not copy it.
        if (heif_context_read_from_memory_without_copy(p.context.get(), in.data, in.size, nullptr).code !=
            heif_error_Ok)
            return SPI_INTERNAL_ERROR;
        heif_image_handle* handle = nullptr;
        if (heif_context_get_primary_image_handle(p.context.get(), &handle).code != heif_error_Ok)
            return SPI_INTERNAL_ERROR;
        p.handle.reset(handle);
        const int w = heif_image_handle_get_width(handle);
        const int h = heif_image_handle_get_height(handle);
        if (w <= 0 || h <= 0) return SPI_INTERNAL_ERROR;
        return spi::SizeAllowed(std::uint32_t(w), std::uint32_t(h)) ? SPI_SUCCESS : SPI_OUT_OF_MEMORY;
    }

    static int32_t Measure(const spi::Input& in, std::uint32_t& w, std::uint32_t& h, int& depth) {
        Primary p;
        const int32_t result = Open(in, p);
        if (result != SPI_SUCCESS) return result;
        w = std::uint32_t(heif_image_handle_get_width(p.handle.get()));
        h = std::uint32_t(heif_image_handle_get_height(p.handle.get()));
        depth = heif_image_handle_has_alpha_channel(p.handle.get()) ? 32 : 24;
        return SPI_SUCCESS;
    }

    static int32_t Decode(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        Primary p;
        int32_t result = Open(in, p);
        if (result != SPI_SUCCESS) return result;
        if (progress.Stop(1, 4)) return SPI_ABORTED;
        const bool alpha = heif_image_handle_has_alpha_channel(p.handle.get());
        const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
        if (!options) return SPI_OUT_OF_MEMORY;
        options->convert_hdr_to_8bit = 1;
        heif_image* decoded = nullptr;
        if (heif_decode_image(p.handle.get(), &decoded, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                              options.get())
                .code != heif_error_Ok)
            return SPI_INTERNAL_ERROR;
        const std::unique_ptr<heif_image, ImageFree> image(decoded);
        if (progress.Stop(3, 4)) return SPI_ABORTED;
        const int w = heif_image_get_width(decoded, heif_channel_interleaved);
        const int h = heif_image_get_height(decoded, heif_channel_interleaved);
        int stride = 0;
        const std::uint8_t* plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
        if (plane == nullptr || w <= 0 || h <= 0) return SPI_INTERNAL_ERROR;
        result = dib.Create(std::uint32_t(w), std::uint32_t(h), alpha ? 32 : 24);
        if (result != SPI_SUCCESS) return result;
        for (int y = 0; y < h; ++y)
            dib.PutRgbRow(std::uint32_t(y), plane + std::size_t(y) * stride, alpha ? 4 : 3);
        return SPI_SUCCESS;
    }
};

}  // namespace

PICTAVO_SPI_PICTURE_PLUGIN(HeifCodec)
