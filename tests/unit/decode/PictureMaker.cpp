#include "PictureMaker.h"

#include <csetjmp>
#include <cstdlib>
#include <stdexcept>

#include <gif_lib.h>
#include <png.h>

namespace {

void Put16(Bytes& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace

Bytes MakeBmp(const BmpParts& p) {
    const bool core = p.headerSize == 12;
    const bool masksAfter = p.headerSize == 40;
    Bytes h;
    if (core) {
        Put16(h, static_cast<std::uint32_t>(p.width));
        Put16(h, static_cast<std::uint32_t>(p.height));
        Put16(h, 1);
        Put16(h, static_cast<std::uint32_t>(p.bits));
    } else {
        Put32(h, static_cast<std::uint32_t>(p.width));
        Put32(h, static_cast<std::uint32_t>(p.height));
        Put16(h, 1);
        Put16(h, static_cast<std::uint32_t>(p.bits));
        Put32(h, p.compression);
        Put32(h, static_cast<std::uint32_t>(p.pixels.size()));
        Put32(h, 2835);
        Put32(h, 2835);
        Put32(h, p.colorsUsed);
        Put32(h, 0);
        if (!masksAfter)
            for (std::size_t i = 0; i < 4; ++i) Put32(h, i < p.masks.size() ? p.masks[i] : 0);
        h.resize(p.headerSize - 4, 0);  // colour space, end points, gamma, intent, profile
    }
    if (masksAfter)
        for (const std::uint32_t m : p.masks) Put32(h, m);
    for (const std::uint32_t c : p.palette) {
        h.push_back(c & 0xFF);
        h.push_back((c >> 8) & 0xFF);
        h.push_back((c >> 16) & 0xFF);
        if (!core) h.push_back(0);
    }
    Bytes file{'B', 'M'};
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + 4 + h.size());
    Put32(file, offset + static_cast<std::uint32_t>(p.pixels.size()));
    Put32(file, 0);
    Put32(file, offset);
    Put32(file, p.headerSize);
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
        const std::uint32_t* in = values.data() + static_cast<std::size_t>(topDown ? r : height - 1 - r) * width;
        for (int x = 0; x < width; ++x) {
            if (bits < 8) {
                row[x * bits / 8] |= static_cast<std::uint8_t>(in[x] << (8 - bits - (x * bits) % 8));
            } else {
                for (int k = 0; k < bits / 8; ++k) row[x * bits / 8 + k] = (in[x] >> (8 * k)) & 0xFF;
            }
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
    png_set_IHDR(png, info, p.width, p.height, p.depth, p.colorType,
                 p.interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> colours;
    for (const std::uint32_t c : p.palette)
        colours.push_back({static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
    if (!colours.empty()) png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
    png_color_16 grey{};
    grey.gray = static_cast<png_uint_16>(p.transparentGrey);
    if (!p.alphas.empty() || p.transparentGrey >= 0)
        png_set_tRNS(png, info, p.alphas.data(), static_cast<int>(p.alphas.size()), &grey);
    png_write_info(png, info);
    const std::size_t stride = p.samples.size() / p.height;
    std::vector<png_bytep> rows;
    for (int y = 0; y < p.height; ++y) rows.push_back(const_cast<png_bytep>(p.samples.data() + stride * y));
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

namespace {

// One DC scan of every component, then every AC coefficient of every component alone.
std::vector<jpeg_scan_info> ScanPerCoefficient(int components) {
    std::vector<jpeg_scan_info> scans(1);
    scans[0].comps_in_scan = components;
    for (int c = 0; c < components; ++c) scans[0].component_index[c] = c;
    for (int c = 0; c < components; ++c)
        for (int k = 1; k < 64; ++k) {
            jpeg_scan_info s{};
            s.comps_in_scan = 1;
            s.component_index[0] = c;
            s.Ss = s.Se = k;
            scans.push_back(s);
        }
    return scans;
}

}  // namespace

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
    const std::vector<jpeg_scan_info> scans = ScanPerCoefficient(info.num_components);
    if (p.progressive) jpeg_simple_progression(&info);
    if (p.scanPerCoefficient) {
        info.scan_info = scans.data();
        info.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(p.width) * info.input_components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(p.samples.data() + stride * info.next_scanline);
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
    if (colours.empty()) return nullptr;
    std::vector<GifColorType> c;
    for (const std::uint32_t v : colours)
        c.push_back({static_cast<GifByteType>(v >> 16), static_cast<GifByteType>(v >> 8), static_cast<GifByteType>(v)});
    return GifMakeMapObject(static_cast<int>(c.size()), c.data());
}

void Check(int result, const char* what) {
    if (result == GIF_ERROR) throw std::runtime_error(std::string("test GIF: ") + what);
}

void PutFrame(GifFileType* gif, const GifFrameParts& f) {
    GraphicsControlBlock control{f.disposal, false, f.delayCs, f.transparent};
    GifByteType extension[4];
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(EGifGCBToExtension(&control, extension)),
                           extension),
          "control");
    ColorMapObject* local = MakeMap(f.localColours);
    Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local), "frame");
    GifFreeMapObject(local);
    std::vector<int> order;
    for (int pass = 0; pass < (f.interlace ? 4 : 1); ++pass) {
        static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int r = f.interlace ? start[pass] : 0; r < f.height; r += f.interlace ? step[pass] : 1) order.push_back(r);
    }
    for (const int r : order) {
        Bytes line(f.indexes.begin() + r * f.width, f.indexes.begin() + (r + 1) * f.width);
        Check(EGifPutLine(gif, line.data(), f.width), "line");
    }
}

// Cuts the stored global map down, to make pictures whose indexes reach past their map.
void CutGlobalMap(Bytes& out, int kept, std::size_t stored) {
    const std::size_t first = 13;
    if (kept == 0) {
        out[10] &= 0x78;
    } else {
        int bits = 0;
        while ((2 << bits) < kept) ++bits;
        out[10] = static_cast<std::uint8_t>((out[10] & 0xF8) | bits);
    }
    out.erase(out.begin() + first + 3 * kept, out.begin() + first + 3 * stored);
}

}  // namespace

Bytes MakeGif(const GifParts& p) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, OnGifWrite, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = MakeMap(p.colours);
    Check(EGifPutScreenDesc(gif, p.width, p.height, 8, 0, global), "screen");
    GifFreeMapObject(global);
    if (p.loopCount >= 0) {
        const GifByteType loop[3] = {1, static_cast<GifByteType>(p.loopCount & 0xFF),
                                     static_cast<GifByteType>(p.loopCount >> 8)};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
        EGifPutExtensionBlock(gif, 3, loop);
        EGifPutExtensionTrailer(gif);
    }
    for (const GifFrameParts& f : p.frames) PutFrame(gif, f);
    EGifCloseFile(gif, &error);
    if (!p.trailer) out.pop_back();
    if (p.keptGlobalColours >= 0) CutGlobalMap(out, p.keptGlobalColours, p.colours.size());
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
    const std::string file = (path_ / name).string();
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + file);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return file;
}
