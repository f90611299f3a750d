// Archive costs against their floors, in the same run:
//   build/bench/archive_bench [--benchmark_filter=...]
// - ListZip10k: listing a 10,000-member zip the way the launcher does (module listing, picture
//   filter, sort) against `bsdtar -tf` on the same file (BsdtarList10k);
// - ZipMemberShow: extracting the middle member of a stored zip of 1,000 24-megapixel JPEGs and
//   decoding it, against decoding the same JPEG from a plain file (JpegDecodeFloor);
//   ZipMemberRepeatShow is the same show when the member is already extracted;
// - SolidSevenZipMemberShow: the middle member of a solid 7z of ten such JPEGs, which costs
//   decompressing the members before it in its block.
// The archives are written once into /tmp/pictavo-archive-bench and kept for later runs.
#include <archive.h>
#include <archive_entry.h>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <memory>

#include "PictureWriters.h"
#include "archive/ArchiveListing.h"
#include "archive/MemberExtraction.h"
#include "decode/PictureRegistry.h"

extern char** environ;

namespace {

using namespace pictavo;

const QString kFolder = QStringLiteral("/tmp/pictavo-archive-bench");

// A photograph-like 6000 x 4000 picture: gradients, waves and light grain.
Bytes PhotoJpeg() {
    const int width = 6000, height = 4000;
    Bytes samples(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 30) - 2;
            const double wave = std::sin(x * 0.013) * std::cos(y * 0.017) * 40;
            std::uint8_t* p = &samples[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = static_cast<std::uint8_t>(
                std::clamp(static_cast<int>(90 + x * 120.0 / width + wave) + grain, 0, 255));
            p[1] = static_cast<std::uint8_t>(
                std::clamp(static_cast<int>(70 + y * 140.0 / height - wave) + grain, 0, 255));
            p[2] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(160 + wave * 1.5) + grain, 0, 255));
        }
    }
    return MakeJpeg({.width = width, .height = height, .samples = samples, .quality = 85});
}

struct WriterDeleter {
    void operator()(archive* writer) const { archive_write_free(writer); }
};

// Writes `count` members named by `name(i)` with `data` into a new archive.
template <typename Name>
void WriteArchive(const QString& path, bool sevenZip, const char* options, int count, const Bytes& data,
                  Name name) {
    std::unique_ptr<archive, WriterDeleter> writer(archive_write_new());
    sevenZip ? archive_write_set_format_7zip(writer.get()) : archive_write_set_format_zip(writer.get());
    archive_write_set_options(writer.get(), options);
    const QString partial = path + ".part";
    archive_write_open_filename(writer.get(), partial.toUtf8().constData());
    for (int i = 0; i < count; ++i) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, name(i).c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, static_cast<la_int64_t>(data.size()));
        archive_write_header(writer.get(), entry);
        archive_write_data(writer.get(), data.data(), data.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer.get());
    QFile::rename(partial, path);
}

std::string PhotoName(int i) {
    return "photos/" + std::to_string(1000 + i) + ".jpg";
}

// The benchmark archives, made on first use.
struct Files {
    QString many = kFolder + "/many.zip";
    QString photos = kFolder + "/photos.zip";
    QString solid = kFolder + "/photos.7z";
    QString jpeg = kFolder + "/photo.jpg";
    Files() {
        QDir().mkpath(kFolder);
        if (!QFileInfo::exists(jpeg)) WriteBytes(jpeg.toStdString(), PhotoJpeg());
        QFile file(jpeg);
        file.open(QIODevice::ReadOnly);
        const QByteArray raw = file.readAll();
        const Bytes photo(raw.begin(), raw.end());
        if (!QFileInfo::exists(many))
            WriteArchive(many, false, "zip:compression=deflate", 10000, Bytes(100, 7), [](int i) {
                return "album" + std::to_string(i % 50) + "/" + std::to_string(i) + ".jpg";
            });
        if (!QFileInfo::exists(photos))
            WriteArchive(photos, false, "zip:compression=store", 1000, photo, PhotoName);
        if (!QFileInfo::exists(solid))
            WriteArchive(solid, true, "7zip:compression=deflate", 10, photo, PhotoName);
    }
};

const Files& BenchFiles() {
    static const Files files;
    return files;
}

const TArchiveFunction& Manager() {
    static const TArchiveFunction manager(
        [] {
            std::array<bool, 12> all;
            all.fill(true);
            return all;
        }(),
        PICTAVO_MODULE_DIR);
    return manager;
}

void PrepareState(AppState& state, const QString& archive) {
    state.settings.LoadExtensions = {".jpg"};
    state.TempFolder = kFolder + "/tmp";
    state.ArchivePath = archive;
    state.CurrentArchiver = DetectArchiver(Manager(), archive);
}

void ListZip10k(benchmark::State& run) {
    AppState state;
    PrepareState(state, BenchFiles().many);
    for (auto _ : run) {
        state.ImageList.clear();
        state.ImageCount = 0;
        ListArchive(Manager(), BenchFiles().many, state);
        benchmark::DoNotOptimize(state.ImageCount);
    }
    run.counters["members"] = state.ImageCount;
}

void BsdtarList10k(benchmark::State& run) {
    const QByteArray path = BenchFiles().many.toUtf8();
    for (auto _ : run) {
        // Output goes to /dev/null through the shell-free spawn, as the listing keeps no text.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>("bsdtar"), const_cast<char*>("-tf"),
                        const_cast<char*>(path.constData()), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "bsdtar", &actions, nullptr, argv, environ) != 0) {
            run.SkipWithError("bsdtar is missing (libarchive-tools)");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
    }
}

void JpegDecodeFloor(benchmark::State& run) {
    const PictureRegistry registry = PictureRegistry::WithBuiltins();
    for (auto _ : run) benchmark::DoNotOptimize(registry.Load(BenchFiles().jpeg.toStdString()));
}

// One show of member `index`: its extraction (none when `again`: the copy is there) and decoding.
void MemberShow(benchmark::State& run, const QString& archive, int index, bool again) {
    AppState state;
    PrepareState(state, archive);
    const PictureRegistry registry = PictureRegistry::WithBuiltins();
    const QString member = QString::fromStdString(PhotoName(index));
    ClearTempFolder(state.TempFolder);
    if (again) ExtractMembers(Manager(), state, {member}, nullptr);
    for (auto _ : run) {
        if (!again) {
            run.PauseTiming();
            ClearTempFolder(state.TempFolder);
            run.ResumeTiming();
        }
        const QString path = ExtractMembers(Manager(), state, {member}, nullptr).value(0);
        benchmark::DoNotOptimize(registry.Load(path.toStdString()));
    }
    ClearTempFolder(state.TempFolder);
}

void ZipMemberShow(benchmark::State& run) {
    MemberShow(run, BenchFiles().photos, 500, false);
}
void ZipMemberRepeatShow(benchmark::State& run) {
    MemberShow(run, BenchFiles().photos, 500, true);
}
void SolidSevenZipMemberShow(benchmark::State& run) {
    MemberShow(run, BenchFiles().solid, 5, false);
}

BENCHMARK(ListZip10k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BsdtarList10k)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(JpegDecodeFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ZipMemberShow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ZipMemberRepeatShow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SolidSevenZipMemberShow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
