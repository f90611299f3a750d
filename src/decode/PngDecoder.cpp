#include "decode/PngDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "decode/DecodeErrors.h"
#include "decode/PictureFile.h"

namespace pictavo {

namespace {

constexpr std::size_t kSignatureSize = 8;

// libpng reports errors by jumping back to the leaf function that called into it; the
// session (and every buffer) belongs to the C++ caller, so nothing is skipped by the jump.
// The bytes come from memory or, to spare a copy of a large file, straight from the file.
struct PngSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;  // not owned
    std::span<const std::uint8_t> data;
    std::size_t at = 0;
    char message[200] = {};

    PngSession() = default;
    PngSession(const PngSession&) = delete;
    PngSession& operator=(const PngSession&) = delete;
    ~PngSession() { png_destroy_read_struct(&png, &info, nullptr); }
};

extern "C" void OnPngError(png_structp png, png_const_charp text) {
    auto* s = static_cast<PngSession*>(png_get_error_ptr(png));
    std::snprintf(s->message, sizeof s->message, "%s", text);
    png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

extern "C" void OnPngRead(png_structp png, png_bytep out, std::size_t count) {
    auto* s = static_cast<PngSession*>(png_get_io_ptr(png));
    if (s->file) {
        if (std::fread(out, 1, count, s->file) != count) png_error(png, "the file is truncated");
        return;
    }
    if (s->data.size() - s->at < count) png_error(png, "the file is truncated");
    std::memcpy(out, s->data.data() + s->at, count);
    s->at += count;
}

// The leaf functions: each holds the only setjmp and nothing that needs destroying.
bool ReadPngInfo(PngSession& s) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_info(s.png, s.info);
    return true;
}

// Asks libpng for 8-bit BGRA whatever the file holds.
bool SetPngTransforms(PngSession& s) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    const int colorType = png_get_color_type(s.png, s.info);
    const int depth = png_get_bit_depth(s.png, s.info);
    const bool transparency = png_get_valid(s.png, s.info, PNG_INFO_tRNS) != 0;
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(s.png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(s.png);
    if (transparency) png_set_tRNS_to_alpha(s.png);
    if (depth == 16) png_set_strip_16(s.png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(s.png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA) && !transparency) png_set_filler(s.png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(s.png);
    png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    return true;
}

bool ReadPngImage(PngSession& s, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_image(s.png, rows);
    png_read_end(s.png, nullptr);
    return true;
}

void Check(bool ok, const PngSession& s) {
    if (!ok) throw EPngDecode(std::string("PNG: ") + s.message);
}

// Checks the signature, which the reader has already consumed, and sets libpng up.
void OpenSession(PngSession& s, const std::uint8_t* signature, std::size_t size) {
    if (size < kSignatureSize || png_sig_cmp(signature, 0, kSignatureSize) != 0)
        throw EPngDecode("PNG: not a PNG file");
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, OnPngError, OnPngWarning);
    if (s.png) s.info = png_create_info_struct(s.png);
    if (!s.png || !s.info) throw EPictureTooLarge("PNG: not enough memory to start decoding");
    png_set_read_fn(s.png, &s, OnPngRead);
    png_set_sig_bytes(s.png, static_cast<int>(kSignatureSize));
    // Set before the header is read, so that libpng refuses a hostile size itself too.
    png_set_user_limits(s.png, static_cast<png_uint_32>(kMaxBitmapPixels),
                        static_cast<png_uint_32>(kMaxBitmapPixels));
    png_set_chunk_cache_max(s.png, kMaxPngChunkCount);
    png_set_chunk_malloc_max(s.png, kMaxPngChunkBytes);
}

Bitmap DecodeSession(PngSession& s) {
    Check(ReadPngInfo(s), s);
    CheckPictureSize<EPngDecode>(png_get_image_width(s.png, s.info), png_get_image_height(s.png, s.info),
                                 "PNG");
    // Without an alpha channel or a transparent colour every pixel gets the opaque filler.
    const bool opaque = !(png_get_color_type(s.png, s.info) & PNG_COLOR_MASK_ALPHA) &&
                        png_get_valid(s.png, s.info, PNG_INFO_tRNS) == 0;
    Check(SetPngTransforms(s), s);
    const int width = static_cast<int>(png_get_image_width(s.png, s.info));
    const int height = static_cast<int>(png_get_image_height(s.png, s.info));
    if (png_get_rowbytes(s.png, s.info) != static_cast<std::size_t>(width) * 4)
        throw EPngDecode("PNG: unexpected row layout");
    Bitmap picture(width, height, 32);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = picture.Row(y);
    Check(ReadPngImage(s, rows.data()), s);
    if (opaque) picture.MarkOpaque();
    return picture;
}

}  // namespace

Bitmap PngDecoder::DecodeBytes(std::span<const std::uint8_t> bytes) {
    return TranslateDecodeFailures([&] {
        PngSession s;
        s.data = bytes;
        s.at = std::min(bytes.size(), kSignatureSize);
        OpenSession(s, bytes.data(), bytes.size());
        return DecodeSession(s);
    });
}

Bitmap PngDecoder::Decode(const std::string& path) const {
    return TranslateDecodeFailures([&] {
        const FilePtr file = OpenPictureFile(path).file;
        std::uint8_t signature[kSignatureSize];
        const std::size_t got = std::fread(signature, 1, kSignatureSize, file.get());
        PngSession s;
        s.file = file.get();
        OpenSession(s, signature, got);
        return DecodeSession(s);
    });
}

}  // namespace pictavo
