#include "PictureWriters.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gif_lib.h>
#include <png.h>

namespace pictavo {

namespace {

// Appends `v` little-endian in `count` bytes.
void Put(Bytes& b, std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

Bytes Ramp(std::size_t count) {
    Bytes out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(i * 7 + i / 13);
    return out;
}

Bytes MakeBmp(const BmpParts& p) {
    const bool core = p.headerSize == 12;
    Bytes h;
    Put(h, p.headerSize, 4);
    Put(h, static_cast<std::uint32_t>(p.width), core ? 2 : 4);
    Put(h, static_cast<std::uint32_t>(p.height), core ? 2 : 4);
    Put(h, 1, 2);
    Put(h, static_cast<std::uint32_t>(p.bits), 2);
    if (!core) {
        for (const std::uint32_t v :
             {p.compression, static_cast<std::uint32_t>(p.pixels.size()), 2835u, 2835u, p.colorsUsed, 0u})
            Put(h, v, 4);
        // The masks sit at the same place whether the header counts them (V2-V5) or not.
        for (const std::uint32_t m : p.masks) Put(h, m, 4);
        if (p.headerSize > 40) h.resize(p.headerSize, 0);
    }
    for (const std::uint32_t c : p.palette) Put(h, c, core ? 3 : 4);
    Bytes file{'B', 'M'};
    const auto offset = static_cast<std::uint32_t>(14 + h.size());
    for (const std::uint32_t v : {offset + static_cast<std::uint32_t>(p.pixels.size()), 0u, offset})
        Put(file, v, 4);
    file.insert(file.end(), h.begin(), h.end());
    file.insert(file.end(), p.pixels.begin(), p.pixels.end());
    return file;
}

Bytes PackBmpRows(const Colours& values, int width, int bits, bool topDown) {
    const int height = static_cast<int>(values.size()) / width;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    Bytes out(stride * height, 0);
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = out.data() + stride * (topDown ? r : height - 1 - r);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = values[static_cast<std::size_t>(r) * width + x];
            if (bits < 8) row[x * bits / 8] |= static_cast<std::uint8_t>(v << (8 - bits - (x * bits) % 8));
            for (int k = 0; k < bits / 8; ++k)
                row[x * bits / 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
        }
    }
    return out;
}

namespace {

void OnPngWrite(png_structp png, png_bytep data, std::size_t size) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

// The libpng calls of MakePng; returns false when libpng jumped out.
bool WritePng(png_structp png, png_infop info, const PngParts& p, Bytes& out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &out, OnPngWrite, nullptr);
    png_set_IHDR(png, info, p.width, p.height, p.depth, p.colorType, p.interlace, 0, 0);
    std::vector<png_color> colours;
    for (const std::uint32_t c : p.palette)
        colours.push_back(
            {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    if (!colours.empty()) png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    png_color_16 grey{0, 0, 0, 0, static_cast<png_uint_16>(p.transparentGrey)};
    if (!p.alphas.empty() || p.transparentGrey >= 0)
        png_set_tRNS(png, info, p.alphas.data(), static_cast<int>(p.alphas.size()), &grey);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (int y = 0; y < p.height; ++y)
        rows.push_back(const_cast<png_bytep>(&p.samples[p.samples.size() / p.height * y]));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

struct JpegWriter {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~JpegWriter() {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

extern "C" void OnJpegWriteError(j_common_ptr info) {
    std::longjmp(static_cast<JpegWriter*>(info->client_data)->jump, 1);
}

// The libjpeg calls of MakeJpeg; returns false when libjpeg jumped out.
bool CompressJpeg(JpegWriter& w, const JpegParts& p, std::vector<jpeg_scan_info>& scans) {
    if (setjmp(w.jump)) return false;
    jpeg_compress_struct& info = w.info;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &w.buffer, &w.size);
    info.image_width = static_cast<JDIMENSION>(p.width);
    info.image_height = static_cast<JDIMENSION>(p.height);
    info.input_components = p.input == JCS_GRAYSCALE ? 1 : p.input == JCS_CMYK ? 4 : 3;
    info.in_color_space = p.input;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, p.stored);
    jpeg_set_quality(&info, p.quality, TRUE);
    if (p.progressive) jpeg_simple_progression(&info);
    // One DC scan of every component, then each AC coefficient of each component alone.
    scans.push_back({info.num_components, {0, 1, 2, 3}, 0, 0, 0, 0});
    for (int c = 0; c < info.num_components; ++c)
        for (int k = 1; k < 64; ++k) scans.push_back({1, {c}, k, k, 0, 0});
    if (p.scanPerCoefficient) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(&p.samples[p.samples.size() / p.height * info.next_scanline]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

Bytes MakePng(const PngParts& p) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    const bool ok = WritePng(png, info, p, out);
    png_destroy_write_struct(&png, &info);
    if (!ok) throw EPictureWrite("the PNG could not be encoded");
    return out;
}

Bytes MakeJpeg(const JpegParts& p) {
    JpegWriter w;
    w.info.err = jpeg_std_error(&w.errors);
    w.errors.error_exit = OnJpegWriteError;
    w.info.client_data = &w;
    std::vector<jpeg_scan_info> scans;
    if (!CompressJpeg(w, p, scans)) throw EPictureWrite("the JPEG could not be encoded");
    return Bytes(w.buffer, w.buffer + w.size);
}

namespace {

int OnGifWrite(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using MapPtr = std::unique_ptr<ColorMapObject, MapFreer>;

MapPtr MakeMap(const Colours& colours) {
    std::vector<GifColorType> c;
    for (const std::uint32_t v : colours)
        c.push_back({static_cast<GifByteType>(v >> 16), static_cast<GifByteType>(v >> 8),
                     static_cast<GifByteType>(v)});
    return MapPtr(c.empty() ? nullptr : GifMakeMapObject(static_cast<int>(c.size()), c.data()));
}

void Check(int result) {
    if (result == GIF_ERROR) throw EPictureWrite("the GIF could not be encoded");
}

void PutFrame(GifFileType* gif, const GifFrameParts& f) {
    const GraphicsControlBlock control{f.disposal, false, f.delayCs, f.transparent};
    GifByteType extension[4];
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE,
                           static_cast<int>(EGifGCBToExtension(&control, extension)), extension));
    Check(
        EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, MakeMap(f.localColours).get()));
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (f.interlace ? 4 : 1); ++pass)
        for (int r = f.interlace ? start[pass] : 0; r < f.height; r += f.interlace ? step[pass] : 1) {
            Bytes line(f.indexes.begin() + r * f.width, f.indexes.begin() + (r + 1) * f.width);
            Check(EGifPutLine(gif, line.data(), f.width));
        }
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

}  // namespace

Bytes MakeGif(const GifParts& p) {
    Bytes out;
    int error = 0;
    {
        std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, OnGifWrite, &error));
        if (!gif) throw EPictureWrite("the GIF encoder did not start");
        EGifSetGifVersion(gif.get(), true);
        Check(EGifPutScreenDesc(gif.get(), p.width, p.height, 8, 0, MakeMap(p.colours).get()));
        if (p.loopCount >= 0) {
            const GifByteType loop[3] = {1, static_cast<GifByteType>(p.loopCount),
                                         static_cast<GifByteType>(p.loopCount >> 8)};
            Check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE));
            Check(EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0"));
            Check(EGifPutExtensionBlock(gif.get(), 3, loop));
            Check(EGifPutExtensionTrailer(gif.get()));
        }
        for (const GifFrameParts& f : p.frames) PutFrame(gif.get(), f);
    }  // closing writes the trailer
    if (!p.trailer) out.pop_back();
    if (p.keptGlobalColours >= 0) {
        // Screen flags: no map at all, or a map of two entries; the dropped entries go.
        out[10] = static_cast<std::uint8_t>(out[10] & (p.keptGlobalColours ? 0xF8 : 0x78));
        out.erase(out.begin() + 13 + 3 * p.keptGlobalColours, out.begin() + 13 + 3 * p.colours.size());
    }
    return out;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    // An empty vector has no data pointer, which fwrite must not be given.
    if (!file || (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) ||
        std::fclose(file.release()) != 0)
        throw EPictureWrite("cannot write " + path);
}

}  // namespace pictavo
