// Resamplers, filters, blur and turns on the picture sizes the viewer meets. Run on demand:
//   build/bench/imaging_bench --benchmark_repetitions=3
// Reference figures (libvips with one worker thread, plain memcpy) are in ReferenceBench.cpp
// and run in the same program, so ratios come from the same run.
#include <benchmark/benchmark.h>

#include "BenchPictures.h"
#include "imaging/BitmapUtils.h"
#include "imaging/diziPicFilters.h"

namespace pictavo::bench {

namespace {

using Resampler = Bitmap (*)(const Bitmap&, int, int, int);

// Args: source width, height, target width, height, threads (0 = every core).
void RunResampler(benchmark::State& state, Resampler resample) {
    const Bitmap source = NoisePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        Bitmap out = resample(source, static_cast<int>(state.range(2)), static_cast<int>(state.range(3)),
                              static_cast<int>(state.range(4)));
        benchmark::DoNotOptimize(out.Data());
    }
}

void BM_Bilinear(benchmark::State& state) { RunResampler(state, &ResampleBilinear); }
void BM_Integral(benchmark::State& state) { RunResampler(state, &ResampleIntegral); }
void BM_BilinearIntegral(benchmark::State& state) { RunResampler(state, &ResampleBilinearIntegral); }

void ResamplerArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"sw", "sh", "dw", "dh", "threads"});
    for (int threads : {1, 0}) {
        b->Args({6000, 4000, 1920, 1280, threads});
        b->Args({1280, 720, 3840, 2160, threads});
    }
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

BENCHMARK(BM_Bilinear)->Apply(ResamplerArgs);
BENCHMARK(BM_Integral)->Apply(ResamplerArgs);
BENCHMARK(BM_BilinearIntegral)->Apply(ResamplerArgs);

// Args: width, height, radius.
void BM_Blur(benchmark::State& state) {
    Bitmap picture = NoisePicture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TDiziPicFilters filters;
    for (auto _ : state) filters.Blur(picture, static_cast<std::int16_t>(state.range(2)));
}
BENCHMARK(BM_Blur)
    ->ArgNames({"w", "h", "radius"})
    ->ArgsProduct({{1920}, {1080}, {1, 5, 10}})
    ->ArgsProduct({{6000}, {4000}, {1, 5, 10}})
    ->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// In-place filters and transforms on a 6000 x 4000 picture.
template <typename Op>
void RunFilter(benchmark::State& state, Op op) {
    Bitmap picture = NoisePicture(6000, 4000);
    TDiziPicFilters filters;
    for (auto _ : state) op(filters, picture);
}

void BM_Monochrome(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.Monochrome(b); }); }
void BM_Negative(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.Negative(b); }); }
void BM_Brightness(benchmark::State& s) {
    // Alternating signs keep the picture from settling at white.
    std::int16_t amount = 40;
    RunFilter(s, [&](auto& f, auto& b) { f.Brightness(b, amount = static_cast<std::int16_t>(-amount)); });
}
void BM_RotateLeft(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.RotateLeft(b); }); }
void BM_RotateRight(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.RotateRight(b); }); }
void BM_FlipVertical(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.FlipVertical(b); }); }
void BM_FlipHorizontal(benchmark::State& s) { RunFilter(s, [](auto& f, auto& b) { f.FlipHorizontal(b); }); }

BENCHMARK(BM_Monochrome)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Negative)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_Brightness)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RotateLeft)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RotateRight)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FlipVertical)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_FlipHorizontal)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

}  // namespace pictavo::bench

BENCHMARK_MAIN();
