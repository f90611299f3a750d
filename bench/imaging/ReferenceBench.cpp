// Yardsticks for the imaging benchmarks: libvips doing comparable work on the same
// in-memory picture with one worker thread, and the memory-bandwidth floor (a plain copy
// of the picture's bytes).
#include <benchmark/benchmark.h>
#include <vips/vips.h>

#include <cstring>
#include <memory>
#include <vector>

#include "BenchPictures.h"

namespace pictavo::bench {

namespace {

struct UnrefImage {
    void operator()(VipsImage* image) const { g_object_unref(image); }
};
using ImageHandle = std::unique_ptr<VipsImage, UnrefImage>;
struct FreeMemory {
    void operator()(void* p) const { g_free(p); }
};
using MemoryHandle = std::unique_ptr<void, FreeMemory>;

// One worker thread and no operation cache, so every iteration computes every pixel.
bool StartVips() {
    static const bool ready = [] {
        if (VIPS_INIT("imaging_bench") != 0) return false;
        vips_concurrency_set(1);
        vips_cache_set_max(0);
        return true;
    }();
    return ready;
}

// Runs `make` (which builds the lazy output image) and computes the output into memory.
template <typename Make>
void RunVips(benchmark::State& state, int width, int height, Make make) {
    if (!StartVips()) {
        state.SkipWithError("libvips did not start");
        return;
    }
    const Bitmap picture = NoisePicture(width, height);
    const ImageHandle in(
        vips_image_new_from_memory(picture.Data(), picture.ByteSize(), width, height, 4, VIPS_FORMAT_UCHAR));
    for (auto _ : state) {
        VipsImage* raw = nullptr;
        if (make(in.get(), &raw) != 0) {
            state.SkipWithError(vips_error_buffer());
            return;
        }
        const ImageHandle out(raw);
        std::size_t size = 0;
        const MemoryHandle pixels(vips_image_write_to_memory(out.get(), &size));
        benchmark::DoNotOptimize(pixels.get());
    }
}

void BM_VipsReduceLinear(benchmark::State& state) {
    RunVips(state, 6000, 4000, [](VipsImage* in, VipsImage** out) {
        return vips_reduce(in, out, 6000.0 / 1920, 4000.0 / 1280, "kernel", VIPS_KERNEL_LINEAR, nullptr);
    });
}
void BM_VipsShrink(benchmark::State& state) {
    RunVips(state, 6000, 4000, [](VipsImage* in, VipsImage** out) {
        return vips_shrink(in, out, 6000.0 / 1920, 4000.0 / 1280, nullptr);
    });
}
// vips_reduce only shrinks; enlarging goes through vips_resize with the same kernel.
void BM_VipsResizeLinearUp(benchmark::State& state) {
    RunVips(state, 1280, 720, [](VipsImage* in, VipsImage** out) {
        return vips_resize(in, out, 3.0, "kernel", VIPS_KERNEL_LINEAR, nullptr);
    });
}
BENCHMARK(BM_VipsReduceLinear)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_VipsShrink)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_VipsResizeLinearUp)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

// Arg: bytes copied (6000 x 4000 x 4 and 1920 x 1080 x 4).
void BM_MemcpyFloor(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_MemcpyFloor)->Arg(6000 * 4000 * 4)->Arg(1920 * 1080 * 4)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

}  // namespace pictavo::bench
