// First touch of fresh picture memory: how long the system takes to hand out a new pixel
// block and fault in its pages while a decoder writes it row by row, for the ways such a
// block can be obtained ("program" is the one Bitmap uses).
//   build/bench/allocation_bench --benchmark_repetitions=5
// A loop in one process is served from pages the kernel has just taken back and says little
// about a program that starts, or about memory left idle for a while. --once allocates and
// writes one block in this fresh process and prints the time, the page faults and the peak
// resident size; run it from a shell loop with a pause between the starts:
//   for i in 1 2 3 4 5; do sleep 2; build/bench/allocation_bench --once=plain; done
// Add --megabytes=N for another size than a 6000 x 4000 picture (96 MB).
#include <benchmark/benchmark.h>
#include <sys/mman.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "imaging/Bitmap.h"

namespace pictavo::bench {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr int kWidth = 6000;
constexpr std::size_t kStride = 4 * kWidth;

// A mapped block and how to give it back; `owned` holds blocks from the program's allocator.
struct Block {
    Block() = default;
    Block(void* at, std::size_t length) : data(static_cast<std::uint8_t*>(at)), mapped(length) {}
    Block(Block&& other) noexcept
        : data(std::exchange(other.data, nullptr)),
          mapped(std::exchange(other.mapped, 0)),
          owned(std::move(other.owned)) {}
    Block& operator=(Block&&) = delete;
    ~Block() {
        if (mapped) munmap(data, mapped);
    }
    std::uint8_t* data = nullptr;
    std::size_t mapped = 0;
    PixelBlock owned;
};

Block Mapped(std::size_t bytes, int flags) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | flags, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    return Block(p, bytes);
}

// Starts on a 2 MiB boundary and asks for large pages, as the program once did.
Block HugeAligned(std::size_t bytes) {
    const std::size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    Block whole = Mapped(length + kHugePage, 0);
    const auto start = reinterpret_cast<std::uintptr_t>(whole.data);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
    if (aligned > start) munmap(whole.data, aligned - start);
    const std::size_t tail = start + whole.mapped - (aligned + length);
    if (tail) munmap(reinterpret_cast<void*>(aligned + length), tail);
    whole.mapped = 0;
    madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return Block(reinterpret_cast<void*>(aligned), length);
}

struct Way {
    const char* name;
    Block (*allocate)(std::size_t bytes);
};

const Way kWays[] = {
    {"program",
     [](std::size_t bytes) {
         Block b;
         b.owned = AllocatePixelBlock(bytes, true);
         b.data = b.owned.get();
         return b;
     }},
    {"huge", &HugeAligned},
    {"plain", [](std::size_t bytes) { return Mapped(bytes, 0); }},
    {"nohuge",
     [](std::size_t bytes) {
         Block b = Mapped(bytes, 0);
         madvise(b.data, b.mapped, MADV_NOHUGEPAGE);
         return b;
     }},
    {"populate", [](std::size_t bytes) { return Mapped(bytes, MAP_POPULATE); }},
    {"huge-populate",
     [](std::size_t bytes) {
         Block b = HugeAligned(bytes);
         madvise(b.data, b.mapped, MADV_POPULATE_WRITE);
         return b;
     }},
};

// Writes every row the way a decoder hands them over, top to bottom.
void WriteRows(std::uint8_t* data, std::size_t bytes) {
    for (std::size_t at = 0, y = 0; at < bytes; at += kStride, ++y)
        std::memset(data + at, static_cast<int>(y & 0xFF), std::min(kStride, bytes - at));
}

void BM_FirstTouch(benchmark::State& state, const Way& way) {
    const std::size_t bytes = kStride * 4000;
    for (auto _ : state) {
        Block block = way.allocate(bytes);
        WriteRows(block.data, bytes);
        benchmark::DoNotOptimize(block.data);
    }
}

int Once(const std::string& name, std::size_t megabytes) {
    for (const Way& way : kWays) {
        if (name != way.name) continue;
        const std::size_t bytes = megabytes << 20;
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        Block block = way.allocate(bytes);
        WriteRows(block.data, bytes);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        getrusage(RUSAGE_SELF, &after);
        const double system = (after.ru_stime.tv_sec - before.ru_stime.tv_sec) * 1e3 +
                              (after.ru_stime.tv_usec - before.ru_stime.tv_usec) / 1e3;
        std::printf(
            "%-14s %zu MB: %7.1f ms (%6.1f ms in the kernel), %6ld page faults, peak resident %ld MB\n",
            way.name, megabytes, took.count(), system, after.ru_minflt - before.ru_minflt,
            after.ru_maxrss / 1024);
        return 0;
    }
    std::fprintf(stderr, "no way named %s\n", name.c_str());
    return 2;
}

}  // namespace

}  // namespace pictavo::bench

int main(int argc, char** argv) {
    using namespace pictavo::bench;
    std::string once;
    std::size_t megabytes = 96;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--once=", 0) == 0) once = arg.substr(7);
        if (arg.rfind("--megabytes=", 0) == 0) megabytes = std::stoul(arg.substr(12));
    }
    if (!once.empty()) return Once(once, megabytes);
    for (const Way& way : kWays)
        benchmark::RegisterBenchmark((std::string("BM_FirstTouch/") + way.name).c_str(), BM_FirstTouch, way)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
