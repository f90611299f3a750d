#include "BenchPictures.h"

#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

namespace {

// One RGB row of the photo-like picture.
class PhotoRows {
public:
    explicit PhotoRows(int width) : width_(width), row_(static_cast<std::size_t>(width) * 3) {}

    const std::uint8_t* Row(int y) {
        for (int x = 0; x < width_; ++x) {
            seed_ = seed_ * 1103515245u + 12345u;
            const int grain = static_cast<int>((seed_ >> 16) & 15) - 8;
            const double wave = 60 * std::sin(x * 0.004 + y * 0.001) + 40 * std::cos(y * 0.006 - x * 0.002);
            for (int c = 0; c < 3; ++c) {
                const int v = static_cast<int>(128 + wave * (1.0 - 0.3 * c) + grain + c * 10);
                row_[static_cast<std::size_t>(x) * 3 + c] = static_cast<std::uint8_t>(v < 0     ? 0
                                                                                      : v > 255 ? 255
                                                                                                : v);
            }
        }
        return row_.data();
    }

private:
    int width_;
    std::vector<std::uint8_t> row_;
    std::uint32_t seed_ = 1;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool WritePngRows(png_structp png, png_infop info, std::FILE* file, int width, int height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    PhotoRows rows(width);
    for (int y = 0; y < height; ++y) png_write_row(png, rows.Row(y));
    png_write_end(png, nullptr);
    return true;
}

int OnGifWrite(GifFileType* gif, const GifByteType* data, int size) {
    return static_cast<int>(
        std::fwrite(data, 1, static_cast<std::size_t>(size), static_cast<std::FILE*>(gif->UserData)));
}

bool PutGifFrames(GifFileType* gif, int width, int height, int frames) {
    std::vector<GifByteType> line(static_cast<std::size_t>(width));
    std::vector<int> wave(static_cast<std::size_t>(width + height + frames * 4));
    for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<int>(64 * std::sin(i * 0.02));
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, 4, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    for (int f = 0; f < frames; ++f) {
        if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_ERROR ||
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR)
            return false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                line[static_cast<std::size_t>(x)] =
                    static_cast<GifByteType>((128 + wave[static_cast<std::size_t>(x + f * 4)] +
                                              wave[static_cast<std::size_t>(y)] + ((x ^ y) & 3)) &
                                             0xFF);
            if (EGifPutLine(gif, line.data(), width) == GIF_ERROR) return false;
        }
    }
    return true;
}

}  // namespace

bool WriteBenchJpeg(const std::string& path, int width, int height) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    PhotoRows rows(width);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.Row(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool WriteBenchPng(const std::string& path, int width, int height) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool ok = WritePngRows(png, info, file.get(), width, height);
    png_destroy_write_struct(&png, &info);
    return ok;
}

bool WriteBenchGif(const std::string& path, int width, int height, int frames) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    int error = 0;
    GifFileType* gif = EGifOpen(file.get(), OnGifWrite, &error);
    if (!gif) return false;
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = {
            static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i), static_cast<GifByteType>(i * 7)};
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_ERROR;
    GifFreeMapObject(map);
    const GifByteType loop[3] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
         EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") != GIF_ERROR &&
         EGifPutExtensionBlock(gif, 3, loop) != GIF_ERROR && EGifPutExtensionTrailer(gif) != GIF_ERROR &&
         PutGifFrames(gif, width, height, frames);
    return EGifCloseFile(gif, &error) != GIF_ERROR && ok;
}
