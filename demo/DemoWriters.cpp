#include "DemoWriters.h"

#include "PictureWriters.h"

namespace demo {

namespace {

int CubeIndex(const std::uint8_t* rgb) {
    const auto level = [](std::uint8_t v) { return (v * 5 + 127) / 255; };
    return level(rgb[0]) * 36 + level(rgb[1]) * 6 + level(rgb[2]);
}

}  // namespace

void WriteJpeg(const std::string& path, const Image& image, int quality) {
    pictavo::WriteBytes(
        path, pictavo::MakeJpeg(
                  {.width = image.width, .height = image.height, .samples = image.rgb, .quality = quality}));
}

void WritePng(const std::string& path, const Image& image) {
    pictavo::WriteBytes(path, pictavo::MakePng({.width = image.width,
                                                .height = image.height,
                                                .colorType = 2,  // RGB
                                                .samples = image.rgb}));
}

void WriteBmp(const std::string& path, const Image& image) {
    pictavo::Colours values(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.At(x, y);
            values[static_cast<std::size_t>(y) * image.width + x] = p[0] << 16 | p[1] << 8 | p[2];
        }
    pictavo::WriteBytes(path,
                        pictavo::MakeBmp({.width = image.width,
                                          .height = image.height,
                                          .pixels = pictavo::PackBmpRows(values, image.width, 24, false)}));
}

void WriteAnimatedGif(const std::string& path, const std::vector<Image>& frames, int delayCs) {
    if (frames.empty()) throw pictavo::EPictureWrite("no frames for " + path);
    // A fixed 6 x 6 x 6 colour cube; the animation loops for ever.
    pictavo::GifParts gif{.width = frames[0].width, .height = frames[0].height, .loopCount = 0};
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = i < 216 ? static_cast<std::uint32_t>(i) : 0;
        gif.colours.push_back(c / 36 * 51 << 16 | c / 6 % 6 * 51 << 8 | c % 6 * 51);
    }
    for (const Image& frame : frames) {
        pictavo::GifFrameParts& f = gif.frames.emplace_back(
            pictavo::GifFrameParts{.width = frame.width, .height = frame.height, .delayCs = delayCs});
        for (int y = 0; y < frame.height; ++y)
            for (int x = 0; x < frame.width; ++x)
                f.indexes.push_back(static_cast<std::uint8_t>(CubeIndex(frame.At(x, y))));
    }
    pictavo::WriteBytes(path, pictavo::MakeGif(gif));
}

}  // namespace demo
