#include <gtest/gtest.h>

#include <filesystem>

#include "PictureMaker.h"
#include "decode/DecodeErrors.h"
#include "decode/PictureRegistry.h"

using namespace pictavo;

namespace {

struct Files {
    TempFolder folder;
    Bytes bmp = MakeBmp({.width = 3, .height = 2, .bits = 24, .pixels = Bytes(24, 40)});
    Bytes jpeg = MakeJpeg({.width = 5, .height = 4, .samples = Bytes(60, 128)});
    Bytes png = MakePng({.width = 6, .height = 3, .colorType = 0, .samples = Bytes(18, 7)});
    Bytes gif = MakeGif({.width = 7,
                         .height = 2,
                         .colours = {0, 0xFFFFFF},
                         .frames = {{.width = 7, .height = 2, .indexes = Bytes(14, 1)}}});
};

TEST(PictureRegistry, DecodesTheBuiltinFormatsByExtensionInAnyCase) {
    const Files f;
    const PictureRegistry registry = PictureRegistry::WithBuiltins();
    const std::pair<std::string, const Bytes*> cases[] = {
        {"a.bmp", &f.bmp}, {"b.JPG", &f.jpeg}, {"c.jpeg", &f.jpeg}, {"d.Png", &f.png}, {"e.GIF", &f.gif}};
    const int widths[] = {3, 5, 5, 6, 7};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Bitmap b = registry.Load(f.folder.Write(cases[i].first, *cases[i].second));
        EXPECT_EQ(b.Width(), widths[i]) << cases[i].first;
        EXPECT_EQ(b.BitsPerPixel(), 32);
    }
}

class OnePixel : public PictureDecoder {
public:
    Bitmap Decode(const std::string&) const override { return Bitmap(1, 1, 32); }
};

TEST(PictureRegistry, TheNewestRegistrationOfAnExtensionWins) {
    const Files f;
    PictureRegistry registry = PictureRegistry::WithBuiltins();
    const PictureDecoder* jpeg = registry.Find("jpg");
    registry.Register(".PNG", std::make_shared<OnePixel>());
    EXPECT_EQ(registry.Load(f.folder.Write("x.png", f.png)).Width(), 1);
    EXPECT_EQ(registry.Find("JPG"), jpeg);
    EXPECT_EQ(registry.Find("tif"), nullptr);
}

TEST(PictureRegistry, EveryBadFileEndsInItsNamedError) {
    const Files f;
    const PictureRegistry registry = PictureRegistry::WithBuiltins();
    const auto load = [&](const std::string& name, const Bytes& bytes) {
        registry.Load(f.folder.Write(name, bytes));
    };
    EXPECT_THROW(load("picture.tif", f.png), EUnknownFormat);
    EXPECT_THROW(load("noextension", f.png), EUnknownFormat);
    std::filesystem::create_directory(f.folder.Path("folder.png"));
    EXPECT_THROW(registry.Load(f.folder.Path("folder.png")), EPictureFile);
    EXPECT_THROW(load("folder.png/plain", f.png), EUnknownFormat);
    EXPECT_THROW(registry.Load("/nonexistent/picture.jpg"), EPictureFile);
    // A file of one format named as another is not the other.
    EXPECT_THROW(load("png.jpg", f.png), EJpegDecode);
    EXPECT_THROW(load("jpeg.png", f.jpeg), EPngDecode);
    EXPECT_THROW(load("gif.bmp", f.gif), EBmpDecode);
    EXPECT_THROW(load("bmp.gif", f.bmp), EGifDecode);
    EXPECT_THROW(load("empty.bmp", {}), EBmpDecode);
    EXPECT_THROW(load("empty.jpg", {}), EJpegDecode);
    EXPECT_THROW(load("empty.png", {}), EPngDecode);
    EXPECT_THROW(load("empty.gif", {}), EGifDecode);
}

}  // namespace
