// How many pictures per second the show puts on screen while the Right arrow is held down on a
// folder of 1920 x 1080 JPEGs, against decoding the same files alone, and how long the show
// keeps going after the key is released.
//
// Run: build/bench/display_held_key_bench
// The held key is replayed by a thread that posts key events at "rate" per second (30 is a
// usual desktop auto-repeat, 100 asks for more than the pictures can give), the way the window
// system queues auto-repeat whether or not the program keeps up. "repeat:1" marks the repeats
// as auto-repeat (what a keyboard sends); "repeat:0" sends them as separate presses, each of
// which the show serves.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "display/Form_disp.h"
#include "sources/AppState.h"

namespace pictavo {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPictureCount = 24;
constexpr auto kHold = std::chrono::milliseconds(3000);
constexpr auto kQuiet = std::chrono::milliseconds(400);

// A photograph-like 1920 x 1080 picture: smooth gradients with fine detail, so the JPEG is of
// a realistic size and decoding does real work.
QImage FullHdPicture(int seed) {
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int detail = ((x * 13 + y * 7 + seed * 31) ^ (x * y)) & 31;
            row[x] = qRgb((x / 8 + seed * 20 + detail) & 255, (y / 5 + detail) & 255,
                          ((x + y) / 12 + seed * 9) & 255);
        }
    }
    return image;
}

class JpegFolder {
public:
    JpegFolder() {
        for (int i = 0; i < kPictureCount; ++i) {
            const QString path = dir_.filePath(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')));
            FullHdPicture(i).save(path, "JPG", 90);
            paths_.append(path);
        }
    }
    const QStringList& Paths() const { return paths_; }

private:
    QTemporaryDir dir_;
    QStringList paths_;
};

// JPEG through Qt's reader, used when the program has no JPEG decoder of its own registered.
class QtJpegDecoder : public PictureDecoder {
public:
    Bitmap Decode(const std::string& path) const override {
        const QImage image = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
        if (image.isNull()) throw EDecode("unreadable picture " + path);
        Bitmap picture(image.width(), image.height(), 32);
        for (int y = 0; y < image.height(); ++y)
            std::memcpy(picture.Row(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * 4);
        return picture;
    }
};

// The program's own JPEG decoder when it has one (kept alive with its registry), else Qt's.
std::shared_ptr<const PictureDecoder> JpegDecoder() {
    auto builtins = std::make_shared<const PictureRegistry>(PictureRegistry::WithBuiltins());
    if (const PictureDecoder* own = builtins->Find("jpg")) return {builtins, own};
    return std::make_shared<QtJpegDecoder>();
}

// When each decode the show asked for ended.
struct DecodeLog {
    std::vector<Clock::time_point> ends;

    int CountUntil(Clock::time_point moment) const {
        return static_cast<int>(std::count_if(ends.begin(), ends.end(), [&](auto t) { return t <= moment; }));
    }
    Clock::time_point Last() const { return ends.empty() ? Clock::time_point{} : ends.back(); }
};

class LoggingDecoder : public PictureDecoder {
public:
    LoggingDecoder(std::shared_ptr<const PictureDecoder> inner, DecodeLog& log)
        : inner_(std::move(inner)), log_(log) {}
    Bitmap Decode(const std::string& path) const override {
        Bitmap picture = inner_->Decode(path);
        log_.ends.push_back(Clock::now());
        return picture;
    }

private:
    std::shared_ptr<const PictureDecoder> inner_;
    DecodeLog& log_;
};

void DecodeOnly(benchmark::State& state, const JpegFolder& folder) {
    const auto decoder = JpegDecoder();
    int next = 0;
    for (auto _ : state) {
        Bitmap picture = decoder->Decode(folder.Paths().at(next).toStdString());
        benchmark::DoNotOptimize(picture.Row(0));
        next = (next + 1) % kPictureCount;
    }
    state.SetItemsProcessed(state.iterations());
}

// Posts the held key to `target` from another thread: a press, `rate` repeats a second, a
// release.
class KeyHolder {
public:
    KeyHolder(QObject* target, bool autoRepeat, int rate) {
        // Looked up here: the first lookup creates the device, which must happen in the main thread.
        const QInputDevice* keyboard = QInputDevice::primaryKeyboard();
        const auto period = std::chrono::microseconds(1000000 / rate);
        thread_ = std::thread([this, target, autoRepeat, keyboard, period] {
            const auto start = Clock::now();
            for (int k = 0; Clock::now() - start < kHold; ++k) {
                QCoreApplication::postEvent(
                    target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, 0, 0, 0, QString(),
                                          autoRepeat && k > 0, 1, keyboard));
                std::this_thread::sleep_until(start + (k + 1) * period);
            }
            QCoreApplication::postEvent(
                target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, 0, 0, 0, QString(),
                                      false, 1, keyboard));
            std::lock_guard lock(mutex_);
            released_ = Clock::now();
        });
    }
    ~KeyHolder() { thread_.join(); }
    std::optional<Clock::time_point> Released() const {
        std::lock_guard lock(mutex_);
        return released_;
    }

private:
    mutable std::mutex mutex_;
    std::optional<Clock::time_point> released_;
    std::thread thread_;
};

void HeldRight(benchmark::State& state, const JpegFolder& folder) {
    const bool autoRepeat = state.range(0) != 0;
    const int rate = static_cast<int>(state.range(1));
    for (auto _ : state) {
        DecodeLog log;
        AppState app;
        app.registry = PictureRegistry{};
        app.registry.Register("jpg", std::make_shared<LoggingDecoder>(JpegDecoder(), log));
        app.ImageList = folder.Paths();
        app.ImageCount = kPictureCount;
        Settings& s = app.settings;
        s.IsFullScreen = false;
        s.DispWindowLeft = 0;
        s.DispWindowTop = 0;
        s.DispWindowWidth = 1280;
        s.DispWindowHeight = 720;
        Form_disp window(app);
        window.Start();
        QCoreApplication::processEvents();

        const auto start = Clock::now();
        std::optional<Clock::time_point> released;
        {
            QEventLoop loop;
            QTimer watch;
            KeyHolder holder(&window, autoRepeat, rate);
            QObject::connect(&watch, &QTimer::timeout, [&] {
                if (!released) released = holder.Released();
                if (released && Clock::now() - std::max(*released, log.Last()) > kQuiet) loop.quit();
            });
            watch.start(5);
            loop.exec();
        }
        const int whileHeld = log.CountUntil(*released) - log.CountUntil(start);
        const int afterRelease = static_cast<int>(log.ends.size()) - log.CountUntil(*released);
        const auto settle = std::max(log.Last() - *released, Clock::duration::zero());
        state.counters["pictures_per_s"] =
            whileHeld / std::chrono::duration<double>(*released - start).count();
        state.counters["settle_ms"] = std::chrono::duration<double, std::milli>(settle).count();
        state.counters["pictures_after_release"] = afterRelease;
        window.HideDisplay();
    }
}

}  // namespace
}  // namespace pictavo

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const pictavo::JpegFolder folder;
    // Both on the wall clock, so that the show's rate and the decoder's compare directly.
    benchmark::RegisterBenchmark("DecodeOnly/1920x1080", pictavo::DecodeOnly, std::cref(folder))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("HeldRight/1920x1080", pictavo::HeldRight, std::cref(folder))
        ->ArgNames({"repeat", "rate"})
        ->Args({1, 30})
        ->Args({0, 30})
        ->Args({1, 100})
        ->Args({0, 100})
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
