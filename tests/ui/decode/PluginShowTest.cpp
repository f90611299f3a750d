// A slideshow of plug-in formats: with plug-ins on and the program folder searched, each
// file of a folder shows with its own pixels.
#include <QtTest>

#include "../display/DisplayTestSupport.h"
#include "EncodedPictures.h"
#include "app/SusiePlugins.h"
#include "sources/Extensions.h"

using namespace pictavo;
using namespace pictavo::test;

class PluginShowTest : public QObject {
    Q_OBJECT
private slots:
    void eachPluginFormatShowsItsPixels() {
        DisplayFixture f;
        const QString app = f.dir.filePath("app");
        QDir().mkpath(app);
        for (const QString& name : QDir(PICTAVO_BIN_DIR).entryList({"*.spi"}))
            QFile::copy(PICTAVO_BIN_DIR "/" + name, app + "/" + name);
        QFile::copy(PICTAVO_TEST_PLUGIN_DIR "/picture/test_picture.spi", app + "/test_picture.spi");

        f.state.registry = PictureRegistry::WithBuiltins();
        f.state.settings.IsUseSPI = true;
        f.state.settings.SearchAppDir = true;
        f.state.settings.LoadExtensions = {".webp", ".avif", ".heic", ".tif", ".jxl", ".pvx"};
        SusiePlugins plugins({app, {}, {}});
        f.state.SupportedExtensions = BuildSupportedExtensions(plugins.SearchExtensionPatterns(f.state));
        QVERIFY(!CheckLoadExtensions(f.state.settings.LoadExtensions, f.state.SupportedExtensions));

        const spitest::RgbPicture picture = spitest::Quadrants(64, 48);
        using spitest::Format;
        for (const Format format : {Format::WebP, Format::Avif, Format::Heif, Format::Tiff, Format::Jxl}) {
            const auto bytes = spitest::Encode(format, picture);
            f.AddBytes(QString("p") + spitest::ExtensionOf(format),
                       QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        }
        QByteArray pvx("PVTX\x02\0\0\0\x01\0\0\0", 12);
        pvx += QByteArray("\x10\x20\x30\xA0\xB0\xC0", 6);
        f.AddBytes("p.pvx", pvx);

        f.window->Start();
        // The 64 x 48 pictures sit centred in the 200 x 150 area: their quadrants' middles.
        for (int i = 0; i < 5; ++i) {
            f.ShowEntry(i);
            for (const auto& [x, y] : {std::pair{16, 12}, {48, 12}, {16, 36}, {48, 36}}) {
                const QRgb shown = f.At(68 + x, 51 + y);
                const std::uint32_t want = picture.At(x, y);
                QVERIFY2(std::abs(qRed(shown) - int(want >> 16)) <= 24 &&
                             std::abs(qGreen(shown) - int(want >> 8 & 255)) <= 24 &&
                             std::abs(qBlue(shown) - int(want & 255)) <= 24,
                         qPrintable(f.state.ImageList[i]));
            }
        }
        f.ShowEntry(5);  // the made-up format, 2 x 1, byte for byte
        QCOMPARE(f.At(99, 74), qRgb(0x10, 0x20, 0x30));
        QCOMPARE(f.At(100, 74), qRgb(0xA0, 0xB0, 0xC0));
    }
};

QTEST_MAIN(PluginShowTest)
#include "PluginShowTest.moc"
