#include "imaging/BitmapUtils.h"

#include <algorithm>
#include <string>

#include "imaging/ResampleKernels.h"
#include "imaging/RowParallel.h"

namespace pictavo {

namespace {

// Line numbers of the empty-source checks; the messages quote them, so they stay stable.
constexpr int kBilinearCheckLine = 807;
constexpr int kIntegralCheckLine = 942;
constexpr int kBilinearIntegralCheckLine = 1066;

std::string AssertionText(const char* unit, int line) {
    return "Assertion failed (" + std::string(unit) + ", line " + std::to_string(line) + ")";
}

void RequireSource(const Bitmap& source, int line) {
    if (source.Width() < 1 || source.Height() < 1) throw EAssertionFailed("BitmapUtils", line);
}

// The kernels read 32-bit pixels; other formats get a 32-bit copy first (the program
// itself always hands over 32-bit pictures, so this copy is rare).
struct Source32 {
    explicit Source32(const Bitmap& source) {
        if (source.BitsPerPixel() != 32) converted = ToBits32(source);
        const Bitmap& use = source.BitsPerPixel() == 32 ? source : converted;
        plane = {use.Data(), use.Stride(), use.Width(), use.Height()};
    }
    Bitmap converted;
    resample::SourcePlane plane{};
};

resample::TargetPlane PlaneOf(Bitmap& target) { return {target.Data(), target.Stride(), target.Width()}; }

// Area of one target pixel measured in source pixels.
double FootprintArea(const Bitmap& source, int width, int height) {
    const std::int64_t pixels = static_cast<std::int64_t>(source.Width()) * source.Height();
    return static_cast<double>(pixels) / width / height;
}

}  // namespace

EAssertionFailed::EAssertionFailed(const char* unit, int line)
    : std::logic_error(AssertionText(unit, line)), line_(line) {}

Bitmap ResampleBilinear(const Bitmap& source, int width, int height, int threads) {
    RequireSource(source, kBilinearCheckLine);
    if (width < 1 || height < 1) return Bitmap(std::max(width, 0), std::max(height, 0), 24);
    Bitmap result(width, height, 24);
    const Source32 src(source);
    const auto columns = resample::MakeBilinearAxis(source.Width(), width);
    const auto rows = resample::MakeBilinearAxis(source.Height(), height);
    const auto kernel = resample::Kernels().bilinear;
    const auto dst = PlaneOf(result);
    ForEachRowBand(height, threads, width, [&](int begin, int end) {
        kernel(src.plane, dst, columns, rows, begin, end);
    });
    return result;
}

Bitmap ResampleIntegral(const Bitmap& source, int width, int height, int threads) {
    RequireSource(source, kIntegralCheckLine);
    if (width < 1 || height < 1) return Bitmap(std::max(width, 0), std::max(height, 0), 24);
    Bitmap result(width, height, 24);
    const Source32 src(source);
    const auto columns = resample::MakeAreaAxis(source.Width(), width);
    const auto rows = resample::MakeAreaAxis(source.Height(), height);
    // The area is kept in single precision, as the averages have always been divided by it.
    const double area = static_cast<float>(FootprintArea(source, width, height));
    const auto kernel = resample::Kernels().area;
    const auto dst = PlaneOf(result);
    const std::int64_t costPerRow = std::max<std::int64_t>(width, source.Width()) * rows[0].count;
    ForEachRowBand(height, threads, costPerRow, [&](int begin, int end) {
        kernel(src.plane, dst, columns, rows, area, begin, end);
    });
    return result;
}

Bitmap ResampleBilinearIntegral(const Bitmap& source, int width, int height, int threads) {
    RequireSource(source, kBilinearIntegralCheckLine);
    if (width < 1 || height < 1) return Bitmap(std::max(width, 0), std::max(height, 0), 24);
    Bitmap result(width, height, 24);
    const Source32 src(source);
    const auto columns = resample::MakeCellAxis(source.Width(), width);
    const auto rows = resample::MakeCellAxis(source.Height(), height);
    const double area = FootprintArea(source, width, height);
    const auto kernel = resample::Kernels().cells;
    const auto dst = PlaneOf(result);
    const std::int64_t costPerRow = 4 * std::max<std::int64_t>(width, source.Width()) * rows[0].count;
    ForEachRowBand(height, threads, costPerRow, [&](int begin, int end) {
        kernel(src.plane, dst, columns, rows, area, begin, end);
    });
    return result;
}

}  // namespace pictavo
