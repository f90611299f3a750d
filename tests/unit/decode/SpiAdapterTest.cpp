// The graphic adapter with test plug-ins: exact pixels, offsets, palettes, progress order and
// every way a plug-in can fail. With the shipped plug-ins: each format decodes to the right
// pixels, is known by its bytes rather than its name, and hostile files fail without harm.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "DecodeTestSupport.h"
#include "EncodedPictures.h"
#include "SpiTestSupport.h"
#include "decode/SPIBmp.h"
#include "decode/SPIs.h"
#include "decode/SpiDib.h"

using namespace pictavo;
using spitest::CopyPlugin;
using spitest::Format;
using spitest::Pvtx;

namespace {

const std::vector<std::uint8_t> kSixPixels = {255, 0, 0, 0,   255, 0,   0, 0, 255,
                                              1,   2, 3, 250, 251, 252, 9, 8, 7};

struct Event {
    ProgressStage stage;
    int percent;
    QString text;
    bool operator==(const Event&) const = default;
};

class SpiAdapterTest : public testing::Test {
protected:
    // A manager holding the test plug-ins `kinds`, in this order.
    void Load(std::initializer_list<const char*> kinds) {
        for (const char* kind : kinds)
            spis.Add(CreateSPI(CopyPlugin(QString::fromStdString(folder.Path("spi")), kind)));
    }
    ProgressHandler Recorder() {
        return [this](ProgressStage s, int p, const QString& t) { events.push_back({s, p, t}); };
    }

    TempFolder folder;
    TSPIs spis{nullptr, {}};
    std::vector<Event> events;
};

// A stop from the progress handler stops the plug-in; any other error from it passes on.
TEST_F(SpiAdapterTest, PicturesArriveExactlyFromFilesAndMemoryUnlessTheHandlerStopsThem) {
    Load({"picture"});
    const auto bytes = Pvtx(3, 2, kSixPixels);
    const std::string path = folder.Write("a.pvx", bytes);
    for (const Bitmap& b : {TSPIBitmap().Decode(path), TSPIBitmap::LoadFromMemory(bytes, "a.pvx", {})}) {
        ASSERT_EQ(b.Width(), 3);
        ASSERT_EQ(b.Height(), 2);
        EXPECT_EQ(PixelAt(b, 0, 0), 0xFFFF0000u);
        EXPECT_EQ(PixelAt(b, 2, 0), 0xFF0000FFu);
        EXPECT_EQ(PixelAt(b, 0, 1), 0xFF010203u);
        EXPECT_EQ(PixelAt(b, 2, 1), 0xFF090807u);
    }
    auto throwAt = [](auto error) {
        return [error](ProgressStage, int percent, const QString&) {
            if (percent == 51) throw error;
        };
    };
    EXPECT_THROW(TSPIBitmap::LoadFromFile(path, throwAt(EProgressAbort())), EInvalidGraphic);
    EXPECT_THROW(TSPIBitmap::LoadFromFile(path, throwAt(std::logic_error("handler"))), std::logic_error);
}

TEST_F(SpiAdapterTest, ProgressComesInOrderWhileAFailingPluginGivesWayToTheNext) {
    Load({"infoonly", "picture"});  // the first reads the file but returns no pixel block
    TSPIBitmap::LoadFromFile(folder.Write("a.dat", Pvtx(3, 2, kSixPixels)), Recorder());
    const auto R = ProgressStage::Running;
    const std::vector<Event> expected = {{ProgressStage::Starting, 0, "Loading Graphic by Susie Plugin"},
                                         {R, 1, "Seeking enabled Susie Plugins"},
                                         {R, 1, "Loading by [infoonly.spi]"},
                                         {R, 51, ""},
                                         {R, 99, ""},
                                         {R, 1, "Loading by [infoonly.spi]"},
                                         {R, 1, "Loading by [picture.spi]"},
                                         {R, 51, ""},
                                         {R, 99, ""},
                                         {ProgressStage::Ending, 100, "Loaded Graphic"}};
    EXPECT_EQ(events, expected);
}

TEST_F(SpiAdapterTest, MacBinaryFilesAreReadPastTheirFirst128Bytes) {
    Load({"macbinary"});
    auto bytes = Pvtx(3, 2, kSixPixels);
    bytes.insert(bytes.begin(), 128, 0x5A);
    const std::string path = folder.Write("a.pvm", bytes);
    EXPECT_EQ(PixelAt(TSPIBitmap().Decode(path), 1, 0), 0xFF00FF00u);
    spis.MacBinary = false;
    EXPECT_THROW(TSPIBitmap().Decode(path), EInvalidGraphic);
}

TEST_F(SpiAdapterTest, AFourBitPictureTakesItsColoursFromThePluginsTable) {
    Load({"palette"});
    const Bitmap b = TSPIBitmap().Decode(folder.Write("a.pv4", {'P', 'V', '4', '!'}));
    // Colour i is RGB (16 i, 255 - 16 i, i).
    EXPECT_EQ(PixelAt(b, 0, 0), 0xFF10EF01u);
    EXPECT_EQ(PixelAt(b, 2, 0), 0xFF30CF03u);
    EXPECT_EQ(PixelAt(b, 0, 1), 0xFFF00F0Fu);
    EXPECT_EQ(PixelAt(b, 2, 1), 0xFF00FF00u);
}

TEST_F(SpiAdapterTest, BlocksThatDisagreeWithTheirHeaderFailTheAttempt) {
    Load({"liar", "picture"});
    // A FIFO reaches no plug-in: one that opened it would wait for ever.
    ASSERT_EQ(mkfifo(folder.Path("fifo.pvx").c_str(), 0600), 0);
    EXPECT_THROW(TSPIBitmap().Decode(folder.Path("fifo.pvx")), EInvalidGraphic);
    // Short pixel block, short colour table, zero width, bit count 7, 2^30 pixels, 300 colours.
    for (std::uint8_t lie = 0; lie < 6; ++lie)
        EXPECT_THROW(TSPIBitmap().Decode(folder.Write("a.pvl", {'P', 'V', 'L', 'I', lie})), EInvalidGraphic)
            << int(lie);
}

TEST_F(SpiAdapterTest, BmpFilesMeetOurReaderFirstAndItCatchesWhatPluginsMiss) {
    Load({"picture"});
    const Bytes bmp = MakeBmp({.width = 1, .height = 1, .bits = 24, .pixels = {1, 2, 3, 0}});
    EXPECT_EQ(PixelAt(TSPIBitmap::LoadFromFile(folder.Write("a.BMP", bmp), Recorder()), 0, 0), 0xFF030201u);
    EXPECT_EQ(events.size(), 1u);  // "Loaded Graphic" only: no plug-in was asked
    EXPECT_EQ(PixelAt(TSPIBitmap().Decode(folder.Write("b.pvx", bmp)), 0, 0), 0xFF030201u);
    // A .bmp that our reader refuses still goes to the plug-ins.
    EXPECT_EQ(TSPIBitmap().Decode(folder.Write("c.bmp", Pvtx(3, 2, kSixPixels))).Width(), 3);
    EXPECT_THROW(TSPIBitmap().Decode(folder.Write("d.pvx", {'n', 'o', 'n', 'e'})), EInvalidGraphic);
}

TEST(SpiDibTest, SizesAndPercentsFollowTheDibRules) {
    std::uint8_t header[40] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};
    EXPECT_NO_THROW(CheckDib(header, 40, 24));
    EXPECT_THROW(CheckDib(header, 40, 23), ESPIBadPicture);
    EXPECT_THROW(CheckDib(header, 39, 24), ESPIBadPicture);
    for (const auto& [num, denom, percent] :
         {std::tuple{0, 5, 2}, {1, 2, 51}, {5, 5, 99}, {-1, 2, 209}, {3, 0, 1}})
        EXPECT_EQ(ProgressPercent(num, denom), percent) << num << "/" << denom;
}

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
