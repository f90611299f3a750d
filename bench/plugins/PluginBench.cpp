// The shipped plug-ins against their libraries, and the plug-in search at start.
//   QT_QPA_PLATFORM=offscreen build/bench/plugins_bench
// Times are the process's CPU time.
// ShowVsLibrary/<format>/<resize>: a 6000 x 4000 picture from ShowPictures to the finished
// canvas (resize 0: natural size, the default; 3: fitted into 1920 x 1080), against the
// plain library decode of the same file to BGRA in the same run; "ratio" = show / decode.
// AdapterVsLibrary/<format>: the plug-in load alone (plug-in DIB, BMP image, our reader).
// SearchTwentyPlugins: a folder of 20 plug-ins searched and loaded, as at start.
#include <benchmark/benchmark.h>

#include <avif/avif.h>
#include <jxl/decode.h>
#include <jxl/decode_cxx.h>
#include <webp/decode.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "EncodedPictures.h"
#include "app/SusiePlugins.h"
#include "decode/SPIBmp.h"
#include "display/Form_disp.h"
#include "display/PictureArea.h"

namespace {

using spitest::Format;
using Bytes = std::vector<std::uint8_t>;

struct Fixture {
    QTemporaryDir dir;
    QString paths[5];
    Bytes bytes[5];
    Fixture() {
        const spitest::RgbPicture photo = spitest::Photo(6000, 4000);
        for (const Format f : {Format::WebP, Format::Avif, Format::Jxl}) {
            const int i = static_cast<int>(f);
            bytes[i] = spitest::Encode(f, photo, true);
            paths[i] = dir.filePath(QString("photo") + spitest::ExtensionOf(f));
            QFile file(paths[i]);
            file.open(QIODevice::WriteOnly);
            file.write(reinterpret_cast<const char*>(bytes[i].data()), qsizetype(bytes[i].size()));
        }
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// The plain decodes: the whole picture as 8-bit BGRA (RGBA for libjxl, which has no BGRA).
bool LibraryDecode(Format f, const Bytes& b) {
    if (f == Format::WebP) {
        int w = 0, h = 0;
        std::uint8_t* out = WebPDecodeBGRA(b.data(), b.size(), &w, &h);
        WebPFree(out);
        return out != nullptr;
    }
    if (f == Format::Avif) {
        std::unique_ptr<avifDecoder, void (*)(avifDecoder*)> d(avifDecoderCreate(), avifDecoderDestroy);
        d->maxThreads = 1;
        if (avifDecoderSetIOMemory(d.get(), b.data(), b.size()) != AVIF_RESULT_OK ||
            avifDecoderParse(d.get()) != AVIF_RESULT_OK || avifDecoderNextImage(d.get()) != AVIF_RESULT_OK)
            return false;
        avifRGBImage rgb;
        avifRGBImageSetDefaults(&rgb, d->image);
        rgb.format = AVIF_RGB_FORMAT_BGRA;
        std::vector<std::uint8_t> pixels(std::size_t(rgb.width) * rgb.height * 4);
        rgb.pixels = pixels.data();
        rgb.rowBytes = rgb.width * 4;
        return avifImageYUVToRGB(d->image, &rgb) == AVIF_RESULT_OK;
    }
    const JxlDecoderPtr d = JxlDecoderMake(nullptr);
    JxlDecoderSubscribeEvents(d.get(), JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE);
    JxlDecoderSetInput(d.get(), b.data(), b.size());
    JxlDecoderCloseInput(d.get());
    const JxlPixelFormat format{4, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    std::vector<std::uint8_t> pixels;
    for (;;) {
        const JxlDecoderStatus s = JxlDecoderProcessInput(d.get());
        if (s == JXL_DEC_BASIC_INFO) continue;
        if (s == JXL_DEC_NEED_IMAGE_OUT_BUFFER) {
            std::size_t size = 0;
            JxlDecoderImageOutBufferSize(d.get(), &format, &size);
            pixels.resize(size);
            JxlDecoderSetImageOutBuffer(d.get(), &format, pixels.data(), size);
        } else {
            return s == JXL_DEC_FULL_IMAGE;
        }
    }
}

// CPU time of the process (all its threads): the machine is shared, and wall time would
// measure the neighbours too.
// The plug-ins and the plain decodes run on one thread each.
struct CpuTimer {
    double start = Now();
    static double Now() {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    void restart() { start = Now(); }
};
double Milliseconds(const CpuTimer& t) {
    return CpuTimer::Now() - t.start;
}

// The shipped plug-ins, loaded once for the decoding benchmarks (one manager at a time).
std::unique_ptr<pictavo::TSPIs> shippedPlugins;
void Plugins() {
    if (shippedPlugins) return;
    shippedPlugins = std::make_unique<pictavo::TSPIs>(nullptr, pictavo::SPIFolders{});
    shippedPlugins->SearchSPIs(PICTAVO_BIN_DIR "/*.spi");
}

void Report(benchmark::State& st, double ours, double library) {
    st.counters["ours_ms"] = ours / st.iterations();
    st.counters["library_ms"] = library / st.iterations();
    st.counters["ratio"] = library > 0 ? ours / library : 0;
}

void ShowVsLibrary(benchmark::State& st) {
    const auto f = static_cast<Format>(st.range(0));
    Plugins();
    pictavo::AppState state;
    state.registry.Register(spitest::ExtensionOf(f), std::make_shared<pictavo::TSPIBitmap>());
    auto& s = state.settings;
    s.IsFullScreen = false;
    s.IsShowNowTime = false;
    s.DispWindowWidth = 1920 + 6;
    s.DispWindowHeight = 1080 + 27;
    s.ImageResizeType = static_cast<int>(st.range(1));
    s.StretchAlgorithm = 1;
    state.ImageList = {TheFixture().paths[st.range(0)]};
    state.ImageCount = 1;
    pictavo::Form_disp window(state);
    window.Start();
    if (!window.HasCurrentPicture()) return st.SkipWithError("the picture could not be shown");
    double ours = 0, library = 0;
    for (auto _ : st) {
        CpuTimer t;
        if (!LibraryDecode(f, TheFixture().bytes[st.range(0)]))
            return st.SkipWithError("library decode failed");
        library += Milliseconds(t);
        window.EmptyCurrentPicture();
        t.restart();
        window.ShowPictures(0, 0, false);
        const double shown = Milliseconds(t);
        ours += shown;
        st.SetIterationTime(shown / 1e3);
    }
    Report(st, ours, library);
}
BENCHMARK(ShowVsLibrary)
    ->ArgsProduct({{int(Format::WebP), int(Format::Avif), int(Format::Jxl)}, {0, 3}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

void AdapterVsLibrary(benchmark::State& st) {
    const auto f = static_cast<Format>(st.range(0));
    Plugins();
    TheFixture();  // encoded before the clock runs
    double ours = 0, library = 0;
    for (auto _ : st) {
        CpuTimer t;
        LibraryDecode(f, TheFixture().bytes[st.range(0)]);
        library += Milliseconds(t);
        t.restart();
        const pictavo::Bitmap b =
            pictavo::TSPIBitmap::LoadFromFile(TheFixture().paths[st.range(0)].toStdString(), {});
        ours += Milliseconds(t);
        st.SetIterationTime(Milliseconds(t) / 1e3);
    }
    Report(st, ours, library);
}
BENCHMARK(AdapterVsLibrary)
    ->DenseRange(0, 4, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// Four copies of each shipped plug-in: 20 libraries, each probed and loaded.
void SearchTwentyPlugins(benchmark::State& st) {
    shippedPlugins.reset();
    QTemporaryDir dir;
    const QStringList shipped = QDir(PICTAVO_BIN_DIR).entryList({"*.spi"});
    for (int copy = 0; copy < 4; ++copy)
        for (const QString& name : shipped)
            QFile::copy(PICTAVO_BIN_DIR "/" + name, dir.filePath(QString::number(copy) + name));
    for (auto _ : st) {
        pictavo::TSPIs spis(nullptr, {dir.path(), {}, {}});
        spis.SearchOptions = pictavo::spsAppDir;
        spis.SearchSPIs("*.spi");
        if (spis.Count() != 4 * shipped.size()) return st.SkipWithError("not every plug-in loaded");
    }
}
BENCHMARK(SearchTwentyPlugins)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
