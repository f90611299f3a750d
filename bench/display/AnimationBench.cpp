// The animation view and the file list on large inputs:
//   build/bench/display_animation_bench [--benchmark_filter=...]
// - per frame of a 200-frame 800 x 600 GIF: the compositor alone (GifAnimation), the player's
//   step (GifPlayer), and the view's step with its paint;
// - opening the file list on 100 000 entries (until it has painted once);
// - the clock drift while the view plays the GIF in real time (about 8 s);
// - the peak memory of playing every frame against giflib's plain loop, each in a child.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../decode/BenchPictures.h"
#include "../decode/PlainLoops.h"
#include "decode/GifAnimation.h"
#include "decode/PictureRegistry.h"
#include "display/AnimationView.h"
#include "display/FileListView.h"
#include "display/GifPlayer.h"

extern char** environ;

namespace {

using namespace pictavo;

constexpr int kFrames = 200;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kListSize = 100000;

std::string gifPath;

void Compositor(benchmark::State& s) {
    GifAnimation animation(gifPath);
    for (auto _ : s) {
        if (!animation.NextFrame()) {
            animation.Rewind();
            animation.NextFrame();
        }
        benchmark::DoNotOptimize(animation.Frame().Data());
    }
}

void PlayerStep(benchmark::State& s) {
    GifPlayer player{GifAnimation(gifPath)};
    player.Start(0);
    for (auto _ : s) {
        player.Advance(*player.NextDueMs());
        benchmark::DoNotOptimize(player.Frame().Data());
    }
}

// The view's timer step and the paint it causes, at the GIF's own size.
void ViewStepAndPaint(benchmark::State& s) {
    std::int64_t now = 0;
    AnimationView view(nullptr, [&now] { return now; });
    view.resize(kWidth, kHeight);
    view.show();
    view.Load(QString::fromStdString(gifPath), PictureRegistry::WithBuiltins(), 0);
    for (auto _ : s) {
        now += 40;
        view.Tick();
        view.repaint();
    }
}

void OpenFileList(benchmark::State& s) {
    QStringList entries;
    for (int i = 0; i < kListSize; ++i)
        entries << QStringLiteral("/home/user/Pictures/holidays/%1/IMG_%2.jpg")
                       .arg(i / 500)
                       .arg(i, 6, 10, QChar(u'0'));
    QWidget window;
    window.resize(1280, 960);
    window.show();
    FileListView list(&window);
    for (auto _ : s) {
        list.Open(entries, kListSize / 2, FileListRect(window.width(), window.height()));
        list.repaint();
        s.PauseTiming();
        list.Close();
        s.ResumeTiming();
    }
}

// Plays the GIF in the view on the real clock and compares each frame's arrival with the
// time the file asks for.
void MeasureDrift() {
    AnimationView view(nullptr);
    view.resize(kWidth, kHeight);
    view.show();
    std::vector<std::int64_t> shown;
    QEventLoop loop;
    QObject::connect(&view, &AnimationView::FrameShown, &loop, [&](int) {
        shown.push_back(SteadyClockMs());
        if (static_cast<int>(shown.size()) == kFrames) loop.quit();
    });
    const std::int64_t start = SteadyClockMs();
    view.Load(QString::fromStdString(gifPath), PictureRegistry::WithBuiltins(), 0);
    loop.exec();
    // Lateness of frame k: when it was shown against start + its delays. Its growth from the
    // first frame to the last, per frame, is the drift; the lateness itself is mostly the time
    // the frame takes to decode, which starts when the frame falls due.
    std::vector<std::int64_t> late;
    for (std::size_t k = 0; k < shown.size(); ++k)
        late.push_back(shown[k] - (start + 40 * static_cast<std::int64_t>(k + 1)));
    double mean = 0;
    for (const std::int64_t l : late) mean += static_cast<double>(l) / static_cast<double>(late.size());
    std::printf(
        "clock over %zu frames of 40 ms: lateness first %lld ms, mean %.1f ms, worst %lld ms, last %lld ms; "
        "drift %.3f ms per frame\n",
        late.size(), static_cast<long long>(late.front()), mean,
        static_cast<long long>(*std::max_element(late.begin(), late.end())),
        static_cast<long long>(late.back()),
        static_cast<double>(late.back() - late.front()) / static_cast<double>(late.size() - 1));
}

long OwnPeakKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    long kib = 0;
    if (!status) return 0;
    char line[256];
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

// A child that only plays (or only loops over the frames with giflib) and prints its peak.
int PeakChild(const std::string& mode, const std::string& path) {
    if (mode == "player") {
        GifPlayer player{GifAnimation(path)};
        player.Start(0);
        for (int i = 1; i < kFrames; ++i) player.Advance(*player.NextDueMs());
    } else if (mode == "library") {
        PlainGifFrames(path);
    }
    std::printf("%ld\n", OwnPeakKiB());
    return 0;
}

long Peak(const std::string& self, const std::string& mode) {
    const std::string out = gifPath + "." + mode;
    std::vector<std::string> args{self, "--peak", mode, gifPath};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    long kib = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (std::FILE* in = std::fopen(out.c_str(), "r")) {
            if (std::fscanf(in, "%ld", &kib) != 1) kib = 0;
            std::fclose(in);
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return kib;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--peak") return PeakChild(argv[2], argv[3]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gifPath = dir.filePath(QStringLiteral("frames.gif")).toStdString();
    if (!WriteBenchGif(gifPath, kWidth, kHeight, kFrames)) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("gif_frame/compositor", Compositor)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("gif_frame/player", PlayerStep)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("gif_frame/view_and_paint", ViewStepAndPaint)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("file_list/open_100000", OpenFileList)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    MeasureDrift();
    const long idle = Peak(argv[0], "idle"), player = Peak(argv[0], "player"),
               plain = Peak(argv[0], "library");
    std::printf("peak memory (KiB): player %ld, giflib loop %ld, idle process %ld; above idle %ld vs %ld\n",
                player, plain, idle, player - idle, plain - idle);
    return 0;
}
