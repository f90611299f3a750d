// The folder scan over 100,000 files in 1,000 folders (30% pictures), events handled as the
// program handles them, against `find DIR -type f` on the same tree: the floor for this walk.
// The tree is made once under the temporary folder and kept for later runs.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include "sources/EventPump.h"
#include "sources/FolderScanner.h"

namespace {

constexpr int kTopFolders = 10;
constexpr int kFoldersEach = 100;
constexpr int kFilesEach = 100;

QString TreeRoot() {
    return QDir::tempPath() + "/pictavo-scan-bench-tree";
}

void MakeTree(const QString& root) {
    if (QFile::exists(root + "/complete")) return;
    QDir(root).removeRecursively();
    for (int top = 0; top < kTopFolders; ++top) {
        for (int folder = 0; folder < kFoldersEach; ++folder) {
            const QString path = QString("%1/Top%2/folder%3").arg(root).arg(top).arg(folder);
            QDir().mkpath(path);
            for (int file = 0; file < kFilesEach; ++file) {
                const char* extension = file % 10 < 3 ? (file % 2 ? ".JPG" : ".png") : ".txt";
                QFile(QString("%1/file%2%3").arg(path).arg(file).arg(extension)).open(QIODevice::WriteOnly);
            }
        }
    }
    QFile(root + "/complete").open(QIODevice::WriteOnly);
}

double ChildrenCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct FindTime {
    double wallMs = 0;  // median of the runs
    double cpuMs = 0;   // mean processor time of find (and its shell)
};

// On a shared machine the wall time swings with the load; the processor time does not.
FindTime TimeFind(const QString& root) {
    const QByteArray command = "find '" + QFile::encodeName(root) + "' -type f > /dev/null";
    constexpr int kRuns = 7;
    std::vector<double> runs;
    const double cpuBefore = ChildrenCpuMilliseconds();
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.constData()) != 0) return {};
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return {runs[runs.size() / 2], (ChildrenCpuMilliseconds() - cpuBefore) / kRuns};
}

double ProcessCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

pictavo::ScanOptions Options() {
    pictavo::ScanOptions options;
    options.LoadExtensions = {".jpg", ".jpeg", ".bmp", ".png", ".gif"};
    return options;
}

void BM_ScanFolder(benchmark::State& state) {
    const QString root = TreeRoot();
    MakeTree(root);
    const FindTime find = TimeFind(root);
    pictavo::EventPump pump([] { QCoreApplication::processEvents(); }, std::chrono::milliseconds(15));
    pictavo::ScanHooks hooks;
    hooks.betweenEntries = [&pump] { pump.Poll(); };
    hooks.cancelRequested = [] { return false; };
    hooks.folderFinished = [](std::int32_t count) { benchmark::DoNotOptimize(count); };
    std::int32_t count = 0;
    std::vector<double> wallMs;
    double cpuMs = 0;
    for (auto _ : state) {
        QStringList list;
        count = 0;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuMilliseconds();
        pictavo::FolderScanner(Options(), hooks).Scan(root, list, count);
        cpuMs += ProcessCpuMilliseconds() - cpuStart;
        wallMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(list);
    }
    std::sort(wallMs.begin(), wallMs.end());
    const double medianWall = wallMs.empty() ? 0 : wallMs[wallMs.size() / 2];
    state.counters["pictures"] = count;
    state.counters["find_ms"] = find.wallMs;
    state.counters["wall_ratio"] = find.wallMs > 0 ? medianWall / find.wallMs : 0;
    state.counters["cpu_ratio"] =
        find.cpuMs > 0 ? cpuMs / static_cast<double>(state.iterations()) / find.cpuMs : 0;
}
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FindTypeF(benchmark::State& state) {
    const QString root = TreeRoot();
    MakeTree(root);
    const QByteArray command = "find '" + QFile::encodeName(root) + "' -type f > /dev/null";
    for (auto _ : state) benchmark::DoNotOptimize(std::system(command.constData()));
}
BENCHMARK(BM_FindTypeF)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // so that the scan's event handling does real work
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
