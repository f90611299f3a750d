#include "PictureMaker.h"

#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <gif_lib.h>
#include <png.h>

namespace {

// Appends `v` little-endian in `count` bytes.
void Put(Bytes& b, std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

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

Bytes PackBmpRows(const std::vector<std::uint32_t>& values, int width, int bits, bool topDown) {
    const int height = static_cast<int>(values.size()) / width;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    Bytes out(stride * height, 0);
    for (int r = 0; r < height; ++r) {
        std::uint8_t* row = out.data() + stride * r;
        const std::uint32_t* in =
            values.data() + static_cast<std::size_t>(topDown ? r : height - 1 - r) * width;
        for (int x = 0; x < width; ++x) {
            if (bits < 8)
                row[x * bits / 8] |= static_cast<std::uint8_t>(in[x] << (8 - bits - (x * bits) % 8));
            for (int k = 0; k < bits / 8; ++k)
                row[x * bits / 8 + k] = static_cast<std::uint8_t>(in[x] >> (8 * k));
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
    png_set_IHDR(png, info, p.width, p.height, p.depth, p.colorType, p.interlace ? PNG_INTERLACE_ADAM7 : 0, 0,
                 0);
    std::vector<png_color> colours;
    for (const std::uint32_t c : p.palette)
        colours.push_back(
            {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    if (!colours.empty()) png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    png_color_16 grey{};
    grey.gray = static_cast<png_uint_16>(p.transparentGrey);
    if (!p.alphas.empty() || p.transparentGrey >= 0)
        png_set_tRNS(png, info, p.alphas.data(), static_cast<int>(p.alphas.size()), &grey);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (int y = 0; y < p.height; ++y)
        rows.push_back(const_cast<png_bytep>(p.samples.data() + p.samples.size() / p.height * y));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

Bytes MakePng(const PngParts& p) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    const bool ok = WritePng(png, info, p, out);
    png_destroy_write_struct(&png, &info);
    if (!ok) throw std::runtime_error("test PNG could not be written");
    return out;
}

Bytes MakeJpeg(const JpegParts& p) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(p.width);
    info.image_height = static_cast<JDIMENSION>(p.height);
    info.input_components = p.input == JCS_GRAYSCALE ? 1 : p.input == JCS_CMYK ? 4 : 3;
    info.in_color_space = p.input;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, p.stored);
    jpeg_set_quality(&info, 95, TRUE);
    if (p.progressive) jpeg_simple_progression(&info);
    // One DC scan of every component, then each AC coefficient of each component alone.
    std::vector<jpeg_scan_info> scans{{info.num_components, {0, 1, 2, 3}, 0, 0, 0, 0}};
    for (int c = 0; c < info.num_components; ++c)
        for (int k = 1; k < 64; ++k) scans.push_back({1, {c}, k, k, 0, 0});
    if (p.scanPerCoefficient) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(p.samples.data() + p.samples.size() / p.height * info.next_scanline);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

namespace {

int OnGifWrite(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

ColorMapObject* MakeMap(const std::vector<std::uint32_t>& colours) {
    std::vector<GifColorType> c;
    for (const std::uint32_t v : colours)
        c.push_back({static_cast<GifByteType>(v >> 16), static_cast<GifByteType>(v >> 8),
                     static_cast<GifByteType>(v)});
    return c.empty() ? nullptr : GifMakeMapObject(static_cast<int>(c.size()), c.data());
}

void Check(int result) {
    if (result == GIF_ERROR) throw std::runtime_error("test GIF could not be written");
}

void PutFrame(GifFileType* gif, const GifFrameParts& f) {
    const GraphicsControlBlock control{f.disposal, false, f.delayCs, f.transparent};
    GifByteType extension[4];
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE,
                           static_cast<int>(EGifGCBToExtension(&control, extension)), extension));
    ColorMapObject* local = MakeMap(f.localColours);
    Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local));
    GifFreeMapObject(local);
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < (f.interlace ? 4 : 1); ++pass)
        for (int r = f.interlace ? start[pass] : 0; r < f.height; r += f.interlace ? step[pass] : 1) {
            Bytes line(f.indexes.begin() + r * f.width, f.indexes.begin() + (r + 1) * f.width);
            Check(EGifPutLine(gif, line.data(), f.width));
        }
}

}  // namespace

Bytes MakeGif(const GifParts& p) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, OnGifWrite, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(p.colours);
    Check(EGifPutScreenDesc(gif, p.width, p.height, 8, 0, global));
    GifFreeMapObject(global);
    if (p.loopCount >= 0) {
        const GifByteType loop[3] = {1, static_cast<GifByteType>(p.loopCount),
                                     static_cast<GifByteType>(p.loopCount >> 8)};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        EGifPutExtensionBlock(gif, 3, loop);
        EGifPutExtensionTrailer(gif);
    }
    for (const GifFrameParts& f : p.frames) PutFrame(gif, f);
    EGifCloseFile(gif, &error);
    if (!p.trailer) out.pop_back();
    if (p.keptGlobalColours >= 0) {
        // Screen flags: no map at all, or a map of two entries; the dropped entries go.
        out[10] = static_cast<std::uint8_t>(out[10] & (p.keptGlobalColours ? 0xF8 : 0x78));
        out.erase(out.begin() + 13 + 3 * p.keptGlobalColours, out.begin() + 13 + 3 * p.colours.size());
    }
    return out;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pictavo-decode-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
}
