#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>

#include "DecodeTestSupport.h"
#include "decode/BmpDecoder.h"
#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"
#include "decode/JpegDecoder.h"
#include "decode/PictureRegistry.h"
#include "decode/PngDecoder.h"

using namespace pictavo;

namespace {

struct Sample {
    std::string name;
    std::string extension;  // in mixed case: the registry must not care
    Bytes bytes;
    int width;
    std::function<void(const Bytes&)> decode;   // decodes everything the format holds
    std::function<bool(const EDecode&)> named;  // the format's own error class
    std::size_t stillEnd = 0;                   // bytes that the still picture needs (0: all)
};

template <class Named>
bool Is(const EDecode& e) {
    return dynamic_cast<const Named*>(&e) != nullptr;
}

// One picture of each format and of the layouts that take other paths through its decoder.
std::vector<Sample> Samples() {
    const auto bmp = [](const Bytes& b) { BmpDecoder::DecodeBytes(b, BmpForm::Native); };
    const auto png = [](const Bytes& b) { PngDecoder::DecodeBytes(b); };
    const auto jpeg = [](const Bytes& b) {
        Bitmap target;
        JpegDecoder::DecodeInto(b, target);
    };
    const auto gif = [](const Bytes& b) {
        GifAnimation animation(b);
        while (animation.NextFrame()) {
        }
    };
    Colours palette(16, 0x336699), indexes(20 * 9);
    for (std::size_t i = 0; i < indexes.size(); ++i) indexes[i] = i % 16;
    const Bytes bmp4 = MakeBmp({40, 20, 9, 4, 0, Colours(), palette, 0, PackBmpRows(indexes, 20, 4, false)});
    const Bytes rle = {3, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 4, 0, 1};
    const Bytes bmpRle8 = MakeBmp({40, 5, 3, 8, 1, Colours(), palette, 0, rle});
    const Bytes baseline = MakeJpeg({24, 16, JCS_RGB, JCS_YCbCr, false, false, Ramp(24 * 16 * 3)});
    const Bytes progressive = MakeJpeg({24, 16, JCS_RGB, JCS_YCbCr, true, false, Ramp(24 * 16 * 3)});
    const Bytes pngBytes = MakePng({20, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, Ramp(20 * 9 * 4)});
    GifParts parts{.width = 12, .height = 8, .colours = {0, 0xFF, 0xFF00, 0xFF0000}, .loopCount = 0};
    parts.frames.push_back({0, 0, 12, 8, false, DISPOSE_PREVIOUS, 0, 1, Colours(), Ramp(12 * 8)});
    for (auto& i : parts.frames[0].indexes) i &= 3;
    const std::size_t firstFrameEnd = MakeGif(parts).size() - 1;
    parts.frames.push_back({2, 1, 6, 5, true, 0, 0, -1, Colours{0xFFFFFF, 0x808080}, Bytes(30, 1)});
    return {{"bmp4", "bmp", bmp4, 20, bmp, Is<EBmpDecode>},
            {"bmpRle8", "BMP", bmpRle8, 5, bmp, Is<EBmpDecode>},
            {"jpeg", "JPG", baseline, 24, jpeg, Is<EJpegDecode>},
            {"jpegProgressive", "jpeg", progressive, 24, jpeg, Is<EJpegDecode>},
            {"png", "Png", pngBytes, 20, png, Is<EPngDecode>},
            {"gif", "GIF", MakeGif(parts), 12, gif, Is<EGifDecode>, firstFrameEnd}};
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
    const Bitmap whole = registry.Load(folder.Write("whole." + s.extension, s.bytes));
    EXPECT_EQ(whole.Width(), s.width);
    EXPECT_EQ(whole.BitsPerPixel(), 32);
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

INSTANTIATE_TEST_SUITE_P(Formats, Hostile, testing::ValuesIn(Samples()),
                         [](const auto& info) { return info.param.name; });

void PutBigEndian(Bytes& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * (bytes - 1 - i)));
}

TEST(Hostile, HugeHeadersAreRefusedBeforeAllocating) {
    // Sanitizer builds abort on a 40 GB allocation, so passing proves none was tried. The BMP
    // reader's limit is in its file-reading test.
    Bytes png = MakePng({2, 2, PNG_COLOR_TYPE_GRAY, 8, false, Bytes(4)});
    PutBigEndian(png, 16, 100000, 4);
    PutBigEndian(png, 20, 100000, 4);
    PutBigEndian(png, 29, static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17)), 4);
    EXPECT_THROW(PngDecoder::DecodeBytes(png), EPictureTooLarge);
    Bytes jpeg = MakeJpeg({8, 8, JCS_RGB, JCS_YCbCr, false, false, Bytes(192, 90)});
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            PutBigEndian(jpeg, i + 5, 65500, 2);
            PutBigEndian(jpeg, i + 7, 65500, 2);
        }
    Bitmap target;
    EXPECT_THROW(JpegDecoder::DecodeInto(jpeg, target), EPictureTooLarge);
    GifParts gif{.width = 2, .height = 2, .colours = {0, 0xFFFFFF}};
    gif.frames.push_back({0, 0, 2, 2, false, 0, 0, -1, Colours(), Bytes(4, 1)});
    Bytes screen = MakeGif(gif);
    PutBigEndian(screen, 6, 0xFFFFFFFF, 4);  // 65535 x 65535
    EXPECT_THROW(GifAnimation{screen}, EPictureTooLarge);
    Bytes frame = MakeGif(gif);
    const std::size_t descriptor = 13 + 6 + 8;  // after the screen, its map and the control block
    ASSERT_EQ(frame[descriptor], ',');
    PutBigEndian(frame, descriptor + 5, 0xFFFFFFFF, 4);
    GifAnimation animation(frame);
    EXPECT_THROW(animation.NextFrame(), EPictureTooLarge);
}

class OnePixel : public PictureDecoder {
public:
    Bitmap Decode(const std::string&) const override { return Bitmap(1, 1, 32); }
};

// The newest registration of an extension serves until it is removed; unknown, missing and
// misnamed files end in their named errors.
TEST(PictureRegistry, FindsTheNewestDecoderAndNamesEveryFailure) {
    const TempFolder folder;
    PictureRegistry registry = PictureRegistry::WithBuiltins();
    const std::vector<Sample> s = Samples();
    const Bytes &bmp = s[0].bytes, &jpeg = s[2].bytes, &png = s[4].bytes, &gif = s[5].bytes;
    const PictureDecoder* jpegDecoder = registry.Find("jpg");
    const auto onePixel = std::make_shared<OnePixel>();
    registry.Register(".PNG", onePixel);
    const std::string pngPath = folder.Write("x.png", png);
    EXPECT_EQ(registry.Load(pngPath).Width(), 1);
    EXPECT_EQ(registry.Find("JPG"), jpegDecoder);
    registry.Unregister(onePixel.get());
    EXPECT_EQ(registry.Load(pngPath).Width(), 20);
    const auto load = [&](const std::string& name, const Bytes& bytes) {
        registry.Load(folder.Write(name, bytes));
    };
    EXPECT_THROW(load("picture.tif", png), EUnknownFormat);
    EXPECT_THROW(load("noextension", png), EUnknownFormat);
    std::filesystem::create_directory(folder.Path("folder.png"));
    EXPECT_THROW(registry.Load(folder.Path("folder.png")), EPictureFile);
    EXPECT_THROW(load("folder.png/plain", png), EUnknownFormat);
    EXPECT_THROW(registry.Load("/nonexistent/picture.jpg"), EPictureFile);
    // A FIFO is refused without waiting for a writer; a reader that waits is killed by the alarm.
    alarm(10);
    for (const char* name : {"fifo.bmp", "fifo.jpg", "fifo.png", "fifo.gif"}) {
        ASSERT_EQ(mkfifo(folder.Path(name).c_str(), 0600), 0);
        EXPECT_THROW(registry.Load(folder.Path(name)), EPictureFile) << name;
    }
    alarm(0);
    // A file of one format named as another is not the other.
    EXPECT_THROW(load("png.jpg", png), EJpegDecode);
    EXPECT_THROW(load("jpeg.png", jpeg), EPngDecode);
    EXPECT_THROW(load("gif.bmp", gif), EBmpDecode);
    EXPECT_THROW(load("bmp.gif", bmp), EGifDecode);
}

}  // namespace
