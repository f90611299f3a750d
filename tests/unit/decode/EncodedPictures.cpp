#include "EncodedPictures.h"

#include <avif/avif.h>
#include <jxl/encode.h>
#include <jxl/encode_cxx.h>
#include <libheif/heif.h>
#include <webp/encode.h>
#include <tiffio.hxx>

#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace spitest {

namespace {

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("test encoder failed: ") + what);
}

std::vector<std::uint8_t> Webp(const RgbPicture& p, bool lossy) {
    std::uint8_t* out = nullptr;
    const std::size_t size = lossy
                                 ? WebPEncodeRGB(p.rgb.data(), p.width, p.height, p.width * 3, 80, &out)
                                 : WebPEncodeLosslessRGB(p.rgb.data(), p.width, p.height, p.width * 3, &out);
    Check(size > 0, "webp");
    std::vector<std::uint8_t> bytes(out, out + size);
    WebPFree(out);
    return bytes;
}

std::vector<std::uint8_t> Tiff(const RgbPicture& p) {
    std::ostringstream out;
    TIFF* t = TIFFStreamOpen("memory", static_cast<std::ostream*>(&out));
    Check(t != nullptr, "tiff");
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, p.width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, p.height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 16);
    for (int y = 0; y < p.height; ++y)
        TIFFWriteScanline(t, const_cast<std::uint8_t*>(&p.rgb[std::size_t(y) * p.width * 3]), y, 0);
    TIFFClose(t);
    const std::string bytes = out.str();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> Avif(const RgbPicture& p) {
    std::unique_ptr<avifImage, void (*)(avifImage*)> image(
        avifImageCreate(p.width, p.height, 8, AVIF_PIXEL_FORMAT_YUV444), avifImageDestroy);
    avifRGBImage rgb;
    avifRGBImageSetDefaults(&rgb, image.get());
    rgb.format = AVIF_RGB_FORMAT_RGB;
    rgb.pixels = const_cast<std::uint8_t*>(p.rgb.data());
    rgb.rowBytes = p.width * 3;
    Check(avifImageRGBToYUV(image.get(), &rgb) == AVIF_RESULT_OK, "avif yuv");
    std::unique_ptr<avifEncoder, void (*)(avifEncoder*)> encoder(avifEncoderCreate(), avifEncoderDestroy);
    encoder->speed = AVIF_SPEED_FASTEST;
    encoder->minQuantizer = 10;
    encoder->maxQuantizer = 20;
    avifRWData out = AVIF_DATA_EMPTY;
    Check(avifEncoderWrite(encoder.get(), image.get(), &out) == AVIF_RESULT_OK, "avif");
    std::vector<std::uint8_t> bytes(out.data, out.data + out.size);
    avifRWDataFree(&out);
    return bytes;
}

heif_error WriteHeif(heif_context*, const void* data, size_t size, void* userdata) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(userdata);
    bytes->insert(bytes->end(), static_cast<const std::uint8_t*>(data),
                  static_cast<const std::uint8_t*>(data) + size);
    return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

std::vector<std::uint8_t> Heif(const RgbPicture& p) {
    std::unique_ptr<heif_context, void (*)(heif_context*)> ctx(heif_context_alloc(), heif_context_free);
    heif_encoder* encoder = nullptr;
    Check(
        heif_context_get_encoder_for_format(ctx.get(), heif_compression_HEVC, &encoder).code == heif_error_Ok,
        "heif encoder");
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image* image = nullptr;
    heif_image_create(p.width, p.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, p.width, p.height, 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < p.height; ++y)
        std::memcpy(plane + y * stride, &p.rgb[std::size_t(y) * p.width * 3], p.width * 3);
    const bool ok =
        heif_context_encode_image(ctx.get(), image, encoder, nullptr, nullptr).code == heif_error_Ok;
    heif_image_release(image);
    heif_encoder_release(encoder);
    Check(ok, "heif");
    std::vector<std::uint8_t> bytes;
    heif_writer writer{1, WriteHeif};
    Check(heif_context_write(ctx.get(), &writer, &bytes).code == heif_error_Ok, "heif write");
    return bytes;
}

std::vector<std::uint8_t> Jxl(const RgbPicture& p, bool lossy) {
    const JxlEncoderPtr enc = JxlEncoderMake(nullptr);
    JxlBasicInfo info;
    JxlEncoderInitBasicInfo(&info);
    info.xsize = p.width;
    info.ysize = p.height;
    info.bits_per_sample = 8;
    info.num_color_channels = 3;
    info.uses_original_profile = lossy ? JXL_FALSE : JXL_TRUE;
    Check(JxlEncoderSetBasicInfo(enc.get(), &info) == JXL_ENC_SUCCESS, "jxl info");
    JxlColorEncoding color;
    JxlColorEncodingSetToSRGB(&color, JXL_FALSE);
    Check(JxlEncoderSetColorEncoding(enc.get(), &color) == JXL_ENC_SUCCESS, "jxl colour");
    JxlEncoderFrameSettings* settings = JxlEncoderFrameSettingsCreate(enc.get(), nullptr);
    JxlEncoderFrameSettingsSetOption(settings, JXL_ENC_FRAME_SETTING_EFFORT, lossy ? 3 : 1);
    if (!lossy) JxlEncoderSetFrameLossless(settings, JXL_TRUE);
    const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    Check(JxlEncoderAddImageFrame(settings, &format, p.rgb.data(), p.rgb.size()) == JXL_ENC_SUCCESS,
          "jxl frame");
    JxlEncoderCloseInput(enc.get());
    // Room for more than the raw pixels: the encoder never needs a second round.
    std::vector<std::uint8_t> bytes(p.rgb.size() + 65536);
    std::uint8_t* next = bytes.data();
    std::size_t room = bytes.size();
    Check(JxlEncoderProcessOutput(enc.get(), &next, &room) == JXL_ENC_SUCCESS, "jxl");
    bytes.resize(next - bytes.data());
    return bytes;
}

}  // namespace

std::uint32_t RgbPicture::At(int x, int y) const {
    const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
    return std::uint32_t(p[0]) << 16 | p[1] << 8 | p[2];
}

RgbPicture Quadrants(int width, int height) {
    RgbPicture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = y < height / 2 ? (x < width / 2 ? 0xFF0000 : 0x00FF00)
                                                   : (x < width / 2 ? 0x0000FF : 0xFFFFFF);
            std::uint8_t* q = &p.rgb[(std::size_t(y) * width + x) * 3];
            q[0] = std::uint8_t(c >> 16), q[1] = std::uint8_t(c >> 8), q[2] = std::uint8_t(c);
        }
    return p;
}

RgbPicture Photo(int width, int height) {
    RgbPicture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            std::uint8_t* q = &p.rgb[(std::size_t(y) * width + x) * 3];
            q[0] = std::uint8_t(x * 255 / width + (noise >> 28));
            q[1] = std::uint8_t(y * 255 / height + (noise >> 29));
            q[2] = std::uint8_t((x + y) * 127 / (width + height) + 64);
        }
    return p;
}

std::vector<std::uint8_t> Encode(Format format, const RgbPicture& picture, bool lossy) {
    if (format == Format::Tiff) return Tiff(picture);
    if (format == Format::Avif) return Avif(picture);
    if (format == Format::Heif) return Heif(picture);
    return format == Format::Jxl ? Jxl(picture, lossy) : Webp(picture, lossy);
}

const char* ExtensionOf(Format format) {
    static const char* const names[] = {".webp", ".tif", ".avif", ".heic", ".jxl"};
    return names[static_cast<int>(format)];
}

}  // namespace spitest
