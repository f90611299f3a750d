// TIFF pictures through libtiff: the first page, in any layout and bit depth that libtiff's
// RGBA reader understands, read in bands of rows so that progress is reported as it goes.
#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "../common/SpiPlugin.h"

namespace {

// libtiff reads from the memory image through these; the handle is a MemoryFile.
struct MemoryFile {
    const std::uint8_t* data;
    toff_t size;
    toff_t at = 0;
};

tmsize_t MemRead(thandle_t h, void* buf, tmsize_t n) {
    auto* f = static_cast<MemoryFile*>(h);
    const toff_t left = f->at < f->size ? f->size - f->at : 0;
    const auto count = static_cast<toff_t>(std::max<tmsize_t>(n, 0)) < left ? static_cast<toff_t>(n) : left;
    std::memcpy(buf, f->data + f->at, count);
    f->at += count;
    return static_cast<tmsize_t>(count);
}
tmsize_t MemWrite(thandle_t, void*, tmsize_t) {
    return -1;
}
toff_t MemSeek(thandle_t h, toff_t off, int whence) {
    auto* f = static_cast<MemoryFile*>(h);
    const toff_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? f->size : 0;
    f->at = base + off;
    return f->at;
}
int MemClose(thandle_t) {
    return 0;
}
toff_t MemSize(thandle_t h) {
    return static_cast<MemoryFile*>(h)->size;
}
int MemMap(thandle_t, void**, toff_t*) {
    return 0;
}
void MemUnmap(thandle_t, void*, toff_t) {}

// libtiff's warnings and errors would go to stderr: the host shows none of them. Handled
// per opened file (the answer 1 keeps libtiff's global handlers out of it).
int Quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsFree {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

struct TiffClose {
    void operator()(TIFF* t) const { TIFFClose(t); }
};

struct RgbaImageEnd {
    void operator()(TIFFRGBAImage* img) const { TIFFRGBAImageEnd(img); }
};

struct TiffCodec {
    static constexpr const char* const kInfo[4] = {"00IN", "Pictavo TIFF plug-in (libtiff)", "*.tif;*.tiff",
                                                   "TIFF picture"};

    static bool Sniff(const std::uint8_t* h, std::size_t size) {
        if (size < 4) return false;
        const bool little = h[0] == 'I' && h[1] == 'I' && (h[2] == 42 || h[2] == 43) && h[3] == 0;
        const bool big = h[0] == 'M' && h[1] == 'M' && h[2] == 0 && (h[3] == 42 || h[3] == 43);
        return little || big;
    }

    static std::unique_ptr<TIFF, TiffClose> Open(MemoryFile& file) {
        const std::unique_ptr<TIFFOpenOptions, OptionsFree> options(TIFFOpenOptionsAlloc());
        if (!options) return nullptr;
        TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
        // No single allocation of libtiff's own beyond what the largest picture needs.
        TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), static_cast<tmsize_t>(spi::kMaxPixels * 4));
        // "m": never map the data; the memory image is already there.
        return std::unique_ptr<TIFF, TiffClose>(TIFFClientOpenExt("picture", "rm", &file, MemRead, MemWrite,
                                                                  MemSeek, MemClose, MemSize, MemMap,
                                                                  MemUnmap, options.get()));
    }

    static int32_t Size(TIFF* tif, std::uint32_t& w, std::uint32_t& h) {
        if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h))
            return SPI_INTERNAL_ERROR;
        return spi::SizeAllowed(w, h) ? SPI_SUCCESS : SPI_OUT_OF_MEMORY;
    }

    static bool HasAlpha(TIFF* tif) {
        std::uint16_t count = 0;
        std::uint16_t* kinds = nullptr;
        return TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) && count > 0;
    }

    static int32_t Measure(const spi::Input& in, std::uint32_t& w, std::uint32_t& h, int& depth) {
        MemoryFile file{in.data, in.size};
        const auto tif = Open(file);
        if (!tif) return SPI_INTERNAL_ERROR;
        depth = HasAlpha(tif.get()) ? 32 : 24;
        return Size(tif.get(), w, h);
    }

    static int32_t Decode(const spi::Input& in, spi::Dib& dib, const spi::Progress& progress) {
        MemoryFile file{in.data, in.size};
        const auto tif = Open(file);
        if (!tif) return SPI_INTERNAL_ERROR;
        std::uint32_t w = 0, h = 0;
        int32_t result = Size(tif.get(), w, h);
        if (result != SPI_SUCCESS) return result;
        char message[1024];
        TIFFRGBAImage image;
        if (!TIFFRGBAImageOK(tif.get(), message) || !TIFFRGBAImageBegin(&image, tif.get(), 1, message))
            return SPI_INTERNAL_ERROR;
        const std::unique_ptr<TIFFRGBAImage, RgbaImageEnd> end(&image);
        image.req_orientation = ORIENTATION_TOPLEFT;
        result = dib.Create(w, h, HasAlpha(tif.get()) ? 32 : 24);
        if (result != SPI_SUCCESS) return result;
        // Bands of at most 1 MiB of RGBA keep the extra memory small.
        const std::uint32_t band = std::max<std::uint32_t>(1, std::min<std::uint32_t>(h, (1u << 18) / w));
        std::vector<std::uint32_t> raster(std::size_t{band} * w);
        for (std::uint32_t top = 0; top < h; top += band) {
            const std::uint32_t rows = std::min(band, h - top);
            image.row_offset = static_cast<int>(top);
            if (!TIFFRGBAImageGet(&image, raster.data(), w, rows)) return SPI_INTERNAL_ERROR;
            // Each raster word is A<<24|B<<16|G<<8|R: in memory R, G, B, A.
            for (std::uint32_t y = 0; y < rows; ++y)
                dib.PutRgbRow(top + y,
                              reinterpret_cast<const std::uint8_t*>(raster.data() + std::size_t{y} * w), 4);
            if (progress.Stop(top + rows, h)) return SPI_ABORTED;
        }
        return SPI_SUCCESS;
    }
};

}  // namespace

PICTAVO_SPI_PICTURE_PLUGIN(TiffCodec)
