// Measures the built-in decoders against the plain library loops and djpeg on large
// pictures made at start in a temporary folder, then prints the ratios and whether they stay
// within the targets (1.1x time, 1.2x GIF peak memory).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "BenchPictures.h"
#include "PlainLoops.h"
#include "decode/GifAnimation.h"
#include "decode/JpegDecoder.h"
#include "decode/PngDecoder.h"

extern char** environ;

namespace {

using pictavo::Bitmap;

constexpr int kGifFrames = 200;

struct BenchFiles {
    std::filesystem::path folder;
    std::string jpeg, png, gif;
};

struct ChildResult {
    double cpuSeconds = 0;
    double wallSeconds = 0;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
}

// Runs a program to its end; its CPU time and peak memory come from the kernel's accounts.
ChildResult RunChild(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return {};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "%s failed\n", args[0].c_str());
    return {Seconds(usage.ru_utime) + Seconds(usage.ru_stime), wall.count()};
}

// The peak resident memory of this process in KiB. (The kernel's account for a child
// would also hold its parent's peak, which it inherits across the spawn.)
long OwnPeakKiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kib = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
    std::fclose(status);
    return kib;
}

// The body of a child that only decodes the GIF, so that its peak memory is the decoder's;
// the peak goes into the file `report`.
int GifPeakChild(const std::string& mode, const std::string& path, const std::string& report) {
    int frames = 0;
    if (mode == "pictavo") {
        pictavo::GifAnimation animation(path);
        while (animation.NextFrame()) ++frames;
    } else if (mode == "library") {
        frames = PlainGifFrames(path);
    }
    std::FILE* out = std::fopen(report.c_str(), "w");
    if (!out) return 1;
    std::fprintf(out, "%ld\n", OwnPeakKiB());
    std::fclose(out);
    return mode == "idle" || frames > 0 ? 0 : 1;
}

long GifPeak(const std::string& self, const std::string& mode, const BenchFiles& f) {
    const std::string report = (f.folder / ("peak-" + mode)).string();
    RunChild({self, "--gif-peak", mode, f.gif, report});
    long kib = 0;
    if (std::FILE* in = std::fopen(report.c_str(), "r")) {
        if (std::fscanf(in, "%ld", &kib) != 1) kib = 0;
        std::fclose(in);
    }
    return kib;
}

void RegisterAll(const BenchFiles& f) {
    using benchmark::State;
    const auto ms = benchmark::kMillisecond;
    benchmark::RegisterBenchmark("jpeg/pictavo", [f](State& s) {
        const pictavo::JpegDecoder decoder;
        for (auto _ : s) benchmark::DoNotOptimize(decoder.Decode(f.jpeg).Data());
    })->Unit(ms);
    benchmark::RegisterBenchmark("jpeg/pictavo_reused", [f](State& s) {
        Bitmap target;
        for (auto _ : s) {
            pictavo::JpegDecoder::DecodeFileInto(f.jpeg, target);
            benchmark::DoNotOptimize(target.Data());
        }
    })->Unit(ms);
    benchmark::RegisterBenchmark("jpeg/library", [f](State& s) {
        for (auto _ : s) benchmark::DoNotOptimize(PlainJpegToBgra(f.jpeg));
    })->Unit(ms);
    benchmark::RegisterBenchmark(
        "jpeg/djpeg",
        [f](State& s) {
            double wall = 0;
            for (auto _ : s) {
                const ChildResult r = RunChild({"/usr/bin/djpeg", "-bmp", "-outfile", "/dev/null", f.jpeg});
                s.SetIterationTime(r.cpuSeconds);
                wall += r.wallSeconds;
            }
            s.counters["wall_ms"] = benchmark::Counter(wall * 1000 / static_cast<double>(s.iterations()));
        })
        ->UseManualTime()
        ->Unit(ms);
    benchmark::RegisterBenchmark("png/pictavo", [f](State& s) {
        const pictavo::PngDecoder decoder;
        for (auto _ : s) benchmark::DoNotOptimize(decoder.Decode(f.png).Data());
    })->Unit(ms);
    benchmark::RegisterBenchmark("png/library", [f](State& s) {
        for (auto _ : s) benchmark::DoNotOptimize(PlainPngToBgra(f.png));
    })->Unit(ms);
    benchmark::RegisterBenchmark("gif/pictavo", [f](State& s) {
        std::int64_t frames = 0;
        for (auto _ : s) {
            pictavo::GifAnimation animation(f.gif);
            while (animation.NextFrame()) ++frames;
            benchmark::DoNotOptimize(animation.Frame().Data());
        }
        s.SetItemsProcessed(frames);
    })->Unit(ms);
    benchmark::RegisterBenchmark("gif/library", [f](State& s) {
        std::int64_t frames = 0;
        for (auto _ : s) frames += PlainGifFrames(f.gif);
        s.SetItemsProcessed(frames);
    })->Unit(ms);
}

// Keeps the console output and remembers each benchmark's time per iteration: CPU time for
// the ones in this process, the child's CPU time (the manual time) for djpeg.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> cpuMs, realMs;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
            const std::string name = r.run_name.function_name;
            cpuMs[name] = r.GetAdjustedCPUTime();
            realMs[name] = r.GetAdjustedRealTime();
        }
    }
};

void PrintRatio(const char* what, double ours, double theirs, double target) {
    if (ours <= 0 || theirs <= 0) return;  // not run (filtered out)
    const double ratio = ours / theirs;
    std::printf("%-42s %9.1f vs %9.1f  ratio %.2f  (target <= %.1f: %s)\n", what, ours, theirs, ratio, target,
                ratio <= target ? "met" : "NOT met");
}

void PrintSummary(const SummaryReporter& r, const BenchFiles& f, const std::string& self) {
    auto cpu = r.cpuMs, real = r.realMs;
    std::printf("\nSummary (ms per picture, CPU time; djpeg: its own CPU time)\n");
    PrintRatio("jpeg 6000x4000: pictavo vs library", cpu["jpeg/pictavo"], cpu["jpeg/library"], 1.1);
    PrintRatio("jpeg 6000x4000: pictavo (reused) vs djpeg", cpu["jpeg/pictavo_reused"], real["jpeg/djpeg"],
               1.1);
    PrintRatio("png 6000x4000: pictavo vs simplified API", cpu["png/pictavo"], cpu["png/library"], 1.1);
    PrintRatio("gif 200x800x600: pictavo vs giflib loop", cpu["gif/pictavo"], cpu["gif/library"], 1.1);
    std::printf("%-42s %9.2f vs %9.2f ms per frame\n", "gif per frame", cpu["gif/pictavo"] / kGifFrames,
                cpu["gif/library"] / kGifFrames);
    std::printf("wall clock (ms): jpeg %.1f / reused %.1f / library %.1f; png %.1f / %.1f; gif %.1f / %.1f\n",
                real["jpeg/pictavo"], real["jpeg/pictavo_reused"], real["jpeg/library"], real["png/pictavo"],
                real["png/library"], real["gif/pictavo"], real["gif/library"]);
    const long idle = GifPeak(self, "idle", f), ours = GifPeak(self, "pictavo", f),
               plain = GifPeak(self, "library", f);
    std::printf("gif peak memory (KiB): pictavo %ld, library %ld, idle process %ld\n", ours, plain, idle);
    PrintRatio("gif peak memory: pictavo vs library", static_cast<double>(ours), static_cast<double>(plain),
               1.2);
    PrintRatio("  the same above the idle process", static_cast<double>(ours - idle),
               static_cast<double>(plain - idle), 1.2);
}

// The pictures go into a fresh temporary folder, or into `kept` (made once, kept for later
// runs) when given.
BenchFiles MakeFiles(const std::string& kept) {
    char pattern[] = "/tmp/pictavo-decode-bench-XXXXXX";
    const std::string folder = kept.empty() ? (mkdtemp(pattern) ? pattern : "") : kept;
    std::filesystem::create_directories(folder);
    BenchFiles f{folder, folder + "/big.jpg", folder + "/big.png", folder + "/anim.gif"};
    if (!kept.empty() && std::filesystem::exists(f.gif)) return f;
    std::fprintf(stderr, "decode_bench: writing the pictures into %s ...\n", folder.c_str());
    if (!WriteBenchJpeg(f.jpeg, 6000, 4000) || !WriteBenchPng(f.png, 6000, 4000) ||
        !WriteBenchGif(f.gif, 800, 600, kGifFrames))
        std::exit(1);
    for (const std::string* p : {&f.jpeg, &f.png, &f.gif})
        std::fprintf(stderr, "  %s: %ju bytes\n", p->c_str(),
                     static_cast<std::uintmax_t>(std::filesystem::file_size(*p)));
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--gif-peak") return GifPeakChild(argv[2], argv[3], argv[4]);
    // --keep=FOLDER keeps the pictures there between runs (they take a while to make).
    std::string kept;
    if (argc > 1 && std::string(argv[1]).rfind("--keep=", 0) == 0) {
        kept = argv[1] + 7;
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    benchmark::Initialize(&argc, argv);
    const BenchFiles files = MakeFiles(kept);
    RegisterAll(files);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintSummary(reporter, files, std::filesystem::read_symlink("/proc/self/exe").string());
    if (kept.empty()) std::filesystem::remove_all(files.folder);
    benchmark::Shutdown();
    return 0;
}
