#include "PlainLoops.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

std::uint8_t PlainJpegToBgra(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[stride * info.output_height]);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.get() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return pixels[stride * 7 + 13];
}

std::uint8_t PlainPngToBgra(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return 0;
    image.format = PNG_FORMAT_BGRA;
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[PNG_IMAGE_SIZE(image)]);
    png_image_finish_read(&image, nullptr, pixels.get(), 0, nullptr);
    png_image_free(&image);
    return pixels[PNG_IMAGE_ROW_STRIDE(image) * 7 + 13];
}

int PlainGifFrames(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return 0;
    const int width = gif->SWidth, height = gif->SHeight;
    std::vector<std::uint32_t> canvas(static_cast<std::size_t>(width) * height);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    int frames = 0, transparent = -1;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif, &type) != GIF_ERROR && type != TERMINATE_RECORD_TYPE) {
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            DGifGetExtension(gif, &code, &block);
            GraphicsControlBlock control{};
            if (code == GRAPHICS_EXT_FUNC_CODE && block &&
                DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparent = control.TransparentColor;
            while (block) DGifGetExtensionNext(gif, &block);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            DGifGetImageDesc(gif);
            const GifImageDesc& d = gif->Image;
            const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
            line.resize(static_cast<std::size_t>(d.Width));
            for (int y = 0; y < d.Height; ++y) {
                DGifGetLine(gif, line.data(), d.Width);
                std::uint32_t* out = canvas.data() + static_cast<std::size_t>(d.Top + y) * width + d.Left;
                for (int x = 0; x < d.Width; ++x) {
                    if (line[x] == transparent) continue;
                    const GifColorType& c = map->Colors[line[x]];
                    out[x] = 0xFF000000u | c.Red << 16 | c.Green << 8 | c.Blue;
                }
            }
            ++frames;
        }
    }
    DGifCloseFile(gif, &error);
    return frames;
}
