#include "BenchPictures.h"

#include <cmath>
#include <cstdint>
#include <exception>

#include "PictureWriters.h"

namespace {

using pictavo::Bytes;

// Photo-like RGB samples: smooth waves and grain.
Bytes PhotoSamples(int width, int height) {
    Bytes samples(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t seed = 1;
    std::uint8_t* out = samples.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = static_cast<int>((seed >> 16) & 15) - 8;
            const double wave = 60 * std::sin(x * 0.004 + y * 0.001) + 40 * std::cos(y * 0.006 - x * 0.002);
            for (int c = 0; c < 3; ++c) {
                const int v = static_cast<int>(128 + wave * (1.0 - 0.3 * c) + grain + c * 10);
                *out++ = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
            }
        }
    return samples;
}

template <class Make>
bool Write(const std::string& path, Make make) {
    try {
        pictavo::WriteBytes(path, make());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

bool WriteBenchJpeg(const std::string& path, int width, int height) {
    return Write(path, [&] {
        return pictavo::MakeJpeg(
            {.width = width, .height = height, .samples = PhotoSamples(width, height), .quality = 90});
    });
}

bool WriteBenchPng(const std::string& path, int width, int height) {
    return Write(path, [&] {
        return pictavo::MakePng(
            {.width = width, .height = height, .colorType = 2, .samples = PhotoSamples(width, height)});
    });
}

bool WriteBenchGif(const std::string& path, int width, int height, int frames) {
    return Write(path, [&] {
        pictavo::GifParts gif{.width = width, .height = height, .loopCount = 0};
        for (std::uint32_t i = 0; i < 256; ++i)
            gif.colours.push_back(i << 16 | (255 - i) << 8 | ((i * 7) & 0xFF));
        std::vector<int> wave(static_cast<std::size_t>(width + height + frames * 4));
        for (std::size_t i = 0; i < wave.size(); ++i) wave[i] = static_cast<int>(64 * std::sin(i * 0.02));
        for (int f = 0; f < frames; ++f) {
            pictavo::GifFrameParts& frame = gif.frames.emplace_back(
                pictavo::GifFrameParts{.width = width, .height = height, .disposal = 1, .delayCs = 4});
            frame.indexes.resize(static_cast<std::size_t>(width) * height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    frame.indexes[static_cast<std::size_t>(y) * width + x] =
                        static_cast<std::uint8_t>((128 + wave[static_cast<std::size_t>(x + f * 4)] +
                                                   wave[static_cast<std::size_t>(y)] + ((x ^ y) & 3)) &
                                                  0xFF);
        }
        return pictavo::MakeGif(gif);
    });
}
