#include <gtest/gtest.h>

#include <functional>

#include <png.h>
#include <zlib.h>

#include "PictureMaker.h"
#include "decode/BmpDecoder.h"
#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"
#include "decode/JpegDecoder.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

namespace {

struct Sample {
    std::string name;
    std::string extension;
    Bytes bytes;
    std::function<void(const Bytes&)> decode;   // decodes everything the format holds
    std::function<bool(const EDecode&)> named;  // the format's own error class
    std::size_t stillEnd = 0;                   // bytes that the still picture needs (0: all)
};

template <class Named>
bool Is(const EDecode& e) {
    return dynamic_cast<const Named*>(&e) != nullptr;
}

Bytes Gradient(int width, int height, int channels) {
    Bytes out;
    for (int i = 0; i < width * height * channels; ++i)
        out.push_back(static_cast<std::uint8_t>(i * 7 + i / 13));
    return out;
}

std::vector<Sample> Samples() {
    const auto bmp = [](const Bytes& b) { BmpDecoder::DecodeBytes(b, BmpForm::Native); };
    const auto jpeg = [](const Bytes& b) {
        Bitmap target;
        JpegDecoder::DecodeInto(b, target);
    };
    const auto png = [](const Bytes& b) { PngDecoder::DecodeBytes(b); };
    const auto gif = [](const Bytes& b) {
        GifAnimation animation(b);
        while (animation.NextFrame()) {
        }
    };
    std::vector<std::uint32_t> palette(16, 0x336699), indexes;
    for (int i = 0; i < 20 * 9; ++i) indexes.push_back(i % 16);
    JpegParts progressive{.width = 24, .height = 16, .progressive = true, .samples = Gradient(24, 16, 3)};
    PngParts interlaced{.width = 20,
                        .height = 9,
                        .colorType = PNG_COLOR_TYPE_RGB_ALPHA,
                        .interlace = true,
                        .samples = Gradient(20, 9, 4)};
    GifParts gif2{.width = 12, .height = 8, .colours = {0, 0xFF, 0xFF00, 0xFF0000}, .loopCount = 0};
    gif2.frames = {{.width = 12, .height = 8, .disposal = 3, .transparent = 1, .indexes = Gradient(12, 8, 1)},
                   {.left = 2,
                    .top = 1,
                    .width = 6,
                    .height = 5,
                    .interlace = true,
                    .localColours = {0xFFFFFF, 0x808080},
                    .indexes = Bytes(30, 1)}};
    for (auto& i : gif2.frames[0].indexes) i &= 3;
    GifParts firstOnly = gif2;
    firstOnly.frames.pop_back();
    return {
        {"bmp4", "bmp",
         MakeBmp({.width = 20,
                  .height = 9,
                  .bits = 4,
                  .palette = palette,
                  .pixels = PackBmpRows(indexes, 20, 4, false)}),
         bmp, Is<EBmpDecode>},
        {"bmpRle8", "bmp",
         MakeBmp({.width = 5,
                  .height = 3,
                  .bits = 8,
                  .compression = 1,
                  .palette = palette,
                  .pixels = {3, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 4, 0, 1}}),
         bmp, Is<EBmpDecode>},
        {"jpeg", "jpg", MakeJpeg({.width = 24, .height = 16, .samples = Gradient(24, 16, 3)}), jpeg,
         Is<EJpegDecode>},
        {"jpegProgressive", "jpeg", MakeJpeg(progressive), jpeg, Is<EJpegDecode>},
        {"png", "png", MakePng(interlaced), png, Is<EPngDecode>},
        {"gif", "gif", MakeGif(gif2), gif, Is<EGifDecode>, MakeGif(firstOnly).size() - 1},
    };
}

class Hostile : public testing::TestWithParam<Sample> {};

void ExpectNamedFailure(const Sample& s, std::size_t keep, const std::function<void()>& decode) {
    try {
        decode();
        ADD_FAILURE() << s.name << " cut to " << keep << " bytes was accepted";
    } catch (const EDecode& e) {
        EXPECT_TRUE(s.named(e)) << s.name << " cut to " << keep << ": " << e.what();
    }
}

// In memory (every frame) and through the registry from real files, as the viewer reads
// them: there a GIF cut after its first frame still gives its first frame as the picture.
TEST_P(Hostile, TruncatedAndEmptyFilesFailWithTheFormatsError) {
    const Sample& s = GetParam();
    const TempFolder folder;
    const PictureRegistry registry = PictureRegistry::WithBuiltins();
    ASSERT_NO_THROW(registry.Load(folder.Write("whole." + s.extension, s.bytes)));
    for (const std::size_t keep :
         {std::size_t{0}, std::size_t{1}, std::size_t{10}, s.bytes.size() / 2, s.bytes.size() - 12}) {
        const Bytes cut(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(keep));
        ExpectNamedFailure(s, keep, [&] { s.decode(cut); });
        const std::string path = folder.Write("cut." + s.extension, cut);
        if (s.stillEnd == 0 || keep < s.stillEnd)
            ExpectNamedFailure(s, keep, [&] { registry.Load(path); });
        else
            EXPECT_NO_THROW(registry.Load(path));
    }
}

TEST_P(Hostile, FlippedBitsDecodeOrFailCleanly) {
    const Sample& s = GetParam();
    for (std::size_t i = 0; i < s.bytes.size(); ++i) {
        for (const int bit : {i % 8, (i * 5 + 3) % 8}) {
            Bytes damaged = s.bytes;
            damaged[i] ^= static_cast<std::uint8_t>(1 << bit);
            try {
                s.decode(damaged);
            } catch (const EDecode&) {
                // refusing is fine; crashing, leaking or another exception is not
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, Hostile, testing::ValuesIn(Samples()),
                         [](const auto& info) { return info.param.name; });

void PutBigEndian(Bytes& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * (bytes - 1 - i)));
}

TEST(Hostile, HugeHeadersAreRefusedBeforeAllocating) {
    // Sanitizer builds abort on a 40 GB allocation, so passing proves none was tried.
    BmpParts bmp{.width = 100000, .height = 100000, .bits = 24, .pixels = Bytes(64)};
    EXPECT_THROW(BmpDecoder::DecodeBytes(MakeBmp(bmp)), EPictureTooLarge);

    Bytes png = MakePng({.width = 2, .height = 2, .colorType = PNG_COLOR_TYPE_GRAY, .samples = Bytes(4)});
    PutBigEndian(png, 16, 100000, 4);
    PutBigEndian(png, 20, 100000, 4);
    PutBigEndian(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)), 4);
    EXPECT_THROW(PngDecoder::DecodeBytes(png), EPictureTooLarge);

    Bytes jpeg = MakeJpeg({.width = 8, .height = 8, .samples = Bytes(192, 90)});
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            PutBigEndian(jpeg, i + 5, 65500, 2);
            PutBigEndian(jpeg, i + 7, 65500, 2);
        }
    Bitmap target;
    EXPECT_THROW(JpegDecoder::DecodeInto(jpeg, target), EPictureTooLarge);

    GifParts gif{.width = 2, .height = 2, .colours = {0, 0xFFFFFF}};
    gif.frames = {{.width = 2, .height = 2, .indexes = Bytes(4, 1)}};
    Bytes screen = MakeGif(gif);
    screen[6] = screen[7] = screen[8] = screen[9] = 0xFF;  // 65535 x 65535
    EXPECT_THROW(GifAnimation{screen}, EPictureTooLarge);
    Bytes frame = MakeGif(gif);
    const std::size_t descriptor = 13 + 6 + 8;  // after the screen, its map and the control block
    ASSERT_EQ(frame[descriptor], ',');
    frame[descriptor + 5] = frame[descriptor + 6] = frame[descriptor + 7] = frame[descriptor + 8] = 0xFF;
    GifAnimation animation(frame);
    EXPECT_THROW(animation.NextFrame(), EPictureTooLarge);
}

}  // namespace
