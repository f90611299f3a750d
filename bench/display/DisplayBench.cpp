// How long the slideshow window takes from ShowPictures to a finished canvas for a large JPEG,
// against the decode floor: djpeg decoding the same file in the same run.
//   build/bench/display_bench [--benchmark_filter=...]
// The "ratio" counter of ShowVsDecodeFloor is show time / djpeg time.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "display/Form_disp.h"
#include "display/PictureArea.h"

extern char** environ;

namespace {

using pictavo::AppState;
using pictavo::Form_disp;

constexpr int kPictureWidth = 6000;
constexpr int kPictureHeight = 4000;

// A photograph-like picture: broad gradients, mid-sized shapes and fine grain, so that the
// JPEG holds a realistic amount of detail.
QImage MakePhotoLikePicture() {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kPictureHeight; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPictureWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 28) - 8;
            const double wave = std::sin(x * 0.013) * std::cos(y * 0.017) * 40;
            const int r = std::clamp(static_cast<int>(90 + x * 120.0 / kPictureWidth + wave) + grain, 0, 255);
            const int g =
                std::clamp(static_cast<int>(70 + y * 140.0 / kPictureHeight - wave) + grain, 0, 255);
            const int b = std::clamp(static_cast<int>(160 + wave * 1.5) + grain, 0, 255);
            row[x] = qRgb(r, g, b);
        }
    }
    return image;
}

// The fixture file, written once per run.
struct Fixture {
    QTemporaryDir dir;
    QString path;
    Fixture() {
        path = dir.filePath(QStringLiteral("photo.jpg"));
        if (!MakePhotoLikePicture().save(path, "JPG", 90))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// Milliseconds for djpeg to decode the file (output discarded), measured around the child.
double DjpegMilliseconds(const QString& path) {
    const QByteArray file = path.toLocal8Bit();
    const char* argv[] = {"djpeg", "-outfile", "/dev/null", file.constData(), nullptr};
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "djpeg", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return 0;
    int status = 0;
    waitpid(pid, &status, 0);
    return timer.nsecsElapsed() / 1e6;
}

// A windowed slideshow whose picture area is 1920 x 1080, fitting with `method`.
struct Show {
    AppState state;
    Form_disp window{state};
    Show(int resizeType, int method) {
        auto& s = state.settings;
        s.IsFullScreen = false;
        s.IsShowNowTime = false;
        s.DispWindowWidth = 1920 + 6;
        s.DispWindowHeight = 1080 + 27;
        s.ImageResizeType = resizeType;
        s.StretchAlgorithm = method;
        state.ImageList = {TheFixture().path};
        state.ImageCount = 1;
        window.Start();
    }
    bool Ready(benchmark::State& st) {
        if (window.PaintBox_disp()->size() != QSize(1920, 1080) || !window.HasCurrentPicture()) {
            st.SkipWithError("the picture area is not 1920 x 1080 or the JPEG could not be shown");
            return false;
        }
        return true;
    }
    double ShowMilliseconds() {
        window.EmptyCurrentPicture();
        QElapsedTimer timer;
        timer.start();
        window.ShowPictures(0, 0, false);
        return timer.nsecsElapsed() / 1e6;
    }
};

// The target: at most 1.3 times the decode floor.
void ShowVsDecodeFloor(benchmark::State& st) {
    Show show(3, 1);
    if (!show.Ready(st)) return;
    double showTotal = 0, djpegTotal = 0;
    for (auto _ : st) {
        const double djpeg = DjpegMilliseconds(TheFixture().path);
        const double shown = show.ShowMilliseconds();
        st.SetIterationTime(shown / 1e3);
        showTotal += shown;
        djpegTotal += djpeg;
    }
    st.counters["show_ms"] = showTotal / st.iterations();
    st.counters["djpeg_ms"] = djpegTotal / st.iterations();
    st.counters["ratio"] = djpegTotal > 0 ? showTotal / djpegTotal : 0;
}
BENCHMARK(ShowVsDecodeFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(12);

// A redraw from the cache (repaint, information lines, image processing): resampling only.
void RedrawFittedFromCache(benchmark::State& st) {
    Show show(3, static_cast<int>(st.range(0)));
    if (!show.Ready(st)) return;
    for (auto _ : st) show.window.RepaintFromCache();
}
BENCHMARK(RedrawFittedFromCache)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The default settings show the picture at its natural size: only the visible part is drawn.
void RedrawNaturalSizeFromCache(benchmark::State& st) {
    Show show(0, static_cast<int>(st.range(0)));
    if (!show.Ready(st)) return;
    for (auto _ : st) show.window.RepaintFromCache();
}
BENCHMARK(RedrawNaturalSizeFromCache)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
