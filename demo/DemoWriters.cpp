#include "DemoWriters.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <fcntl.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <memory>

namespace demo {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenForWriting(const std::string& path) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) throw EWrite("cannot write " + path);
    return file;
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// libjpeg reports errors by longjmp: nothing with a destructor lives in this frame.
bool CompressJpeg(std::FILE* file, const Image& image, int quality) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.mgr);
    error.mgr.error_exit = OnJpegError;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.At(0, static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// libpng reports errors by longjmp as well; same rule.
bool CompressPng(std::FILE* file, const Image& image) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) png_write_row(png, image.At(0, y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

int CubeIndex(const std::uint8_t* rgb) {
    const auto level = [](std::uint8_t v) { return (v * 5 + 127) / 255; };
    return level(rgb[0]) * 36 + level(rgb[1]) * 6 + level(rgb[2]);
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void PutGifFrame(GifFileType* gif, const Image& frame, int delayCs) {
    GifByteType control[4] = {0, static_cast<GifByteType>(delayCs & 0xFF),
                              static_cast<GifByteType>(delayCs >> 8), 0};
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR ||
        EGifPutImageDesc(gif, 0, 0, frame.width, frame.height, false, nullptr) == GIF_ERROR)
        throw EWrite("cannot write a GIF frame");
    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.width));
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x)
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(CubeIndex(frame.At(x, y)));
        if (EGifPutLine(gif, line.data(), frame.width) == GIF_ERROR) throw EWrite("cannot write a GIF line");
    }
}

}  // namespace

void WriteJpeg(const std::string& path, const Image& image, int quality) {
    File file = OpenForWriting(path);
    if (!CompressJpeg(file.get(), image, quality)) throw EWrite("cannot encode " + path);
}

void WritePng(const std::string& path, const Image& image) {
    File file = OpenForWriting(path);
    if (!CompressPng(file.get(), image)) throw EWrite("cannot encode " + path);
}

void WriteBmp(const std::string& path, const Image& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(image.height);
    std::string out = "BM";
    PutLe(out, 54 + pixelBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(image.width), 4);
    PutLe(out, static_cast<std::uint32_t>(image.height), 4);  // positive: rows from the bottom
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, pixelBytes, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            out.push_back(static_cast<char>(p[2]));
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
        }
        out.append(stride - static_cast<std::uint32_t>(image.width) * 3, '\0');
    }
    std::ofstream file(path, std::ios::binary);
    if (!file.write(out.data(), static_cast<std::streamsize>(out.size())))
        throw EWrite("cannot write " + path);
}

void WriteAnimatedGif(const std::string& path, const std::vector<Image>& frames, int delayCs) {
    if (frames.empty()) throw EWrite("no frames for " + path);
    int error = 0;
    // giflib would create the file readable by its owner only.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw EWrite("cannot write " + path);
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpenFileHandle(fd, &error));
    if (!gif) {
        ::close(fd);
        throw EWrite("cannot write " + path);
    }
    std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(256, nullptr));
    if (!map) throw EWrite("out of memory for the GIF palette");
    for (int i = 0; i < 256; ++i) {
        const int c = i < 216 ? i : 0;
        map->Colors[i] = {static_cast<GifByteType>(c / 36 * 51), static_cast<GifByteType>(c / 6 % 6 * 51),
                          static_cast<GifByteType>(c % 6 * 51)};
    }
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), frames[0].width, frames[0].height, 8, 0, map.get()) == GIF_ERROR)
        throw EWrite("cannot write " + path);
    // The NETSCAPE2.0 block makes the animation loop for ever.
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(gif.get(), 3, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
        throw EWrite("cannot write " + path);
    for (const Image& frame : frames) PutGifFrame(gif.get(), frame, delayCs);
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) throw EWrite("cannot finish " + path);
}

}  // namespace demo
