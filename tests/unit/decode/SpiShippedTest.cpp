// The shipped plug-ins through the host: each format decodes to the right pixels, is known by
// its bytes rather than its name, and hostile files fail without harm.
#include <gtest/gtest.h>

#include "DecodeTestSupport.h"
#include "EncodedPictures.h"
#include "SpiTestSupport.h"
#include "decode/SPIBmp.h"
#include "decode/SPIs.h"

using namespace pictavo;
using spitest::Format;

namespace {

struct Case {
    Format format;
    int tolerance;  // per channel: 0 for the lossless encodings
};

class ShippedPluginTest : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        spis = new TSPIs(nullptr, {});
        spis->SearchSPIs(PICTAVO_BIN_DIR "/*.spi");
    }
    static void TearDownTestSuite() { delete spis; }

    static TSPIs* spis;
    TempFolder folder;
};
TSPIs* ShippedPluginTest::spis = nullptr;

void ExpectNear(std::uint32_t have, std::uint32_t want, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = int(have >> shift & 255), b = int(want >> shift & 255);
        EXPECT_LE(std::abs(a - b), tolerance) << std::hex << have << " for " << want;
    }
}

TEST_P(ShippedPluginTest, DecodesTheRightPixelsWhateverTheFileIsCalled) {
    const auto [format, tolerance] = GetParam();
    const spitest::RgbPicture picture = spitest::Quadrants(64, 48);
    const auto bytes = spitest::Encode(format, picture);
    for (const std::string& name : {std::string("p") + spitest::ExtensionOf(format), std::string("p.dat")}) {
        const Bitmap b = TSPIBitmap().Decode(folder.Write(name, bytes));
        ASSERT_EQ(b.Width(), 64);
        ASSERT_EQ(b.Height(), 48);
        for (const auto& [x, y] : {std::pair{8, 8}, {56, 8}, {8, 40}, {56, 40}, {0, 47}, {63, 0}})
            ExpectNear(PixelAt(b, x, y) & 0xFFFFFF, picture.At(x, y), tolerance);
    }
    EXPECT_EQ(TSPIBitmap::LoadFromMemory(bytes, "x", {}).Width(), 64);
}

TEST_P(ShippedPluginTest, HostileFilesFailWithoutHarm) {
    auto bytes = spitest::Encode(GetParam().format, spitest::Quadrants(64, 48));
    const std::vector<std::uint8_t> half(bytes.begin(), bytes.begin() + bytes.size() / 2);
    EXPECT_THROW(TSPIBitmap().Decode(folder.Write("half", half)), EInvalidGraphic);
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 24);
    EXPECT_THROW(TSPIBitmap().Decode(folder.Write("head", head)), EInvalidGraphic);
    // Garbage past the signature may or may not make a picture; it must not crash.
    for (std::size_t i = 40; i < bytes.size(); i += 7) bytes[i] ^= 0x5A;
    try {
        TSPIBitmap().Decode(folder.Write("noise", bytes));
    } catch (const EDecode&) {
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ShippedPluginTest,
                         testing::Values(Case{Format::WebP, 0}, Case{Format::Tiff, 0}, Case{Format::Jxl, 0},
                                         Case{Format::Avif, 24}, Case{Format::Heif, 24}),
                         [](const auto& info) {
                             return std::string(spitest::ExtensionOf(info.param.format) + 1);
                         });

TEST_F(ShippedPluginTest, ATiffClaimingFourBillionPixelsIsRefusedBeforeAllocating) {
    // Little-endian header, one directory: width and height 65535, 8-bit RGB, one strip.
    std::vector<std::uint8_t> t = {'I', 'I', 42, 0, 8, 0, 0, 0, 6, 0};
    auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
        for (std::uint32_t v : {std::uint32_t(tag | type << 16), 1u, value})
            for (int i = 0; i < 4; ++i) t.push_back(std::uint8_t(v >> 8 * i));
    };
    entry(256, 4, 65535), entry(257, 4, 65535), entry(258, 3, 8), entry(262, 3, 2), entry(273, 4, 8),
        entry(279, 4, 16);
    t.resize(t.size() + 4 + 16);
    EXPECT_THROW(TSPIBitmap().Decode(folder.Write("bomb.tif", t)), EInvalidGraphic);
}

}  // namespace
