// The graphic adapter with test plug-ins: exact pixels, offsets, palettes, progress order and
// every way a plug-in can fail.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QSettings>

#include "DecodeTestSupport.h"
#include "SpiTestSupport.h"
#include "decode/SPIBmp.h"
#include "decode/SPIs.h"
#include "decode/SpiDib.h"

using namespace pictavo;
using spitest::CopyPlugin;
using spitest::Pvtx;
using spitest::WriteFile;

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
        for (const char* kind : kinds) spis.Add(CreateSPI(CopyPlugin(dir.path() + "/spi", kind)));
    }
    std::string File(const char* name, const std::vector<std::uint8_t>& bytes) {
        return WriteFile(dir.path() + "/" + name, bytes);
    }
    ProgressHandler Recorder() {
        return [this](ProgressStage s, int p, const QString& t) { events.push_back({s, p, t}); };
    }

    QTemporaryDir dir;
    TSPIs spis{nullptr, {}};
    std::vector<Event> events;
};

TEST_F(SpiAdapterTest, PicturesArriveExactlyFromFilesAndMemory) {
    Load({"picture"});
    const auto bytes = Pvtx(3, 2, kSixPixels);
    for (const Bitmap& b :
         {TSPIBitmap().Decode(File("a.pvx", bytes)), TSPIBitmap::LoadFromMemory(bytes, "a.pvx", {})}) {
        ASSERT_EQ(b.Width(), 3);
        ASSERT_EQ(b.Height(), 2);
        EXPECT_EQ(PixelAt(b, 0, 0), 0xFFFF0000u);
        EXPECT_EQ(PixelAt(b, 2, 0), 0xFF0000FFu);
        EXPECT_EQ(PixelAt(b, 0, 1), 0xFF010203u);
        EXPECT_EQ(PixelAt(b, 2, 1), 0xFF090807u);
    }
}

TEST_F(SpiAdapterTest, ProgressComesInOrderWhileAFailingPluginGivesWayToTheNext) {
    Load({"infoonly", "picture"});  // the first reads the file but returns no pixel block
    TSPIBitmap::LoadFromFile(File("a.dat", Pvtx(3, 2, kSixPixels)), Recorder());
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
    const std::string path = File("a.pvm", bytes);
    EXPECT_EQ(PixelAt(TSPIBitmap().Decode(path), 1, 0), 0xFF00FF00u);
    spis.MacBinary = false;
    EXPECT_THROW(TSPIBitmap().Decode(path), EInvalidGraphic);
}

TEST_F(SpiAdapterTest, AFourBitPictureTakesItsColoursFromThePluginsTable) {
    Load({"palette"});
    const Bitmap b = TSPIBitmap().Decode(File("a.pv4", {'P', 'V', '4', '!'}));
    // Colour i is RGB (16 i, 255 - 16 i, i).
    EXPECT_EQ(PixelAt(b, 0, 0), 0xFF10EF01u);
    EXPECT_EQ(PixelAt(b, 2, 0), 0xFF30CF03u);
    EXPECT_EQ(PixelAt(b, 0, 1), 0xFFF00F0Fu);
    EXPECT_EQ(PixelAt(b, 2, 1), 0xFF00FF00u);
}

TEST_F(SpiAdapterTest, BlocksThatDisagreeWithTheirHeaderFailTheAttempt) {
    Load({"liar", "picture"});
    // A FIFO reaches no plug-in: one that opened it would wait for ever.
    const QString fifo = dir.path() + "/fifo.pvx";
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_THROW(TSPIBitmap().Decode(fifo.toStdString()), EInvalidGraphic);
    // Short pixel block, short colour table, zero width, bit count 7, 2^30 pixels, 300 colours.
    for (std::uint8_t lie = 0; lie < 6; ++lie)
        EXPECT_THROW(TSPIBitmap().Decode(File("a.pvl", {'P', 'V', 'L', 'I', lie})), EInvalidGraphic)
            << int(lie);
}

TEST_F(SpiAdapterTest, BmpFilesMeetOurReaderFirstAndItCatchesWhatPluginsMiss) {
    Load({"picture"});
    const Bytes bmp = MakeBmp({.width = 1, .height = 1, .bits = 24, .pixels = {1, 2, 3, 0}});
    EXPECT_EQ(PixelAt(TSPIBitmap::LoadFromFile(File("a.BMP", bmp), Recorder()), 0, 0), 0xFF030201u);
    EXPECT_EQ(events.size(), 1u);  // "Loaded Graphic" only: no plug-in was asked
    EXPECT_EQ(PixelAt(TSPIBitmap().Decode(File("b.pvx", bmp)), 0, 0), 0xFF030201u);
    // A .bmp that our reader refuses still goes to the plug-ins.
    EXPECT_EQ(TSPIBitmap().Decode(File("c.bmp", Pvtx(3, 2, kSixPixels))).Width(), 3);
    try {
        TSPIBitmap().Decode(File("d.pvx", {'n', 'o', 'n', 'e'}));
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_STREQ(e.what(), "Susie Plugins could not decode");
    }
}

TEST_F(SpiAdapterTest, AStopFromTheHandlerStopsThePluginAndOtherErrorsPassOn) {
    Load({"picture"});
    const std::string path = File("a.pvx", Pvtx(3, 2, kSixPixels));
    auto throwAt = [](auto error) {
        return [error](ProgressStage, int percent, const QString&) {
            if (percent == 51) throw error;
        };
    };
    EXPECT_THROW(TSPIBitmap::LoadFromFile(path, throwAt(EProgressAbort())), EInvalidGraphic);
    EXPECT_THROW(TSPIBitmap::LoadFromFile(path, throwAt(std::logic_error("handler"))), std::logic_error);
}

TEST(SpiDibTest, SizesAndPercentsFollowTheDibRules) {
    std::uint8_t header[40] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24};
    const DibLayout l = CheckDib(header, 40, 24);
    EXPECT_EQ(l.infoSize, 40u);
    EXPECT_EQ(l.stride, 12u);
    EXPECT_EQ(WriteBmpHead(l, header).size(), 54u);
    EXPECT_THROW(CheckDib(header, 40, 23), ESPIBadPicture);
    EXPECT_THROW(CheckDib(header, 39, 24), ESPIBadPicture);
    for (const auto& [num, denom, percent] :
         {std::tuple{0, 5, 2}, {1, 2, 51}, {5, 5, 99}, {-1, 2, 209}, {3, 0, 1}})
        EXPECT_EQ(ProgressPercent(num, denom), percent) << num << "/" << denom;
}

}  // namespace
