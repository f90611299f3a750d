#pragma once
// The demo pictures' RGB buffers written as JPEG, PNG, BMP and animated GIF (PictureWriters).
#include <cstdint>
#include <string>
#include <vector>

namespace demo {

// An RGB picture, rows from the top, three bytes per pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    Image(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3) {}
    std::uint8_t* At(int x, int y) { return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
    const std::uint8_t* At(int x, int y) const {
        return rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    }
};

// Each throws pictavo::EPictureWrite when the file cannot be written.
void WriteJpeg(const std::string& path, const Image& image, int quality);
void WritePng(const std::string& path, const Image& image);
void WriteBmp(const std::string& path, const Image& image);
// Frames of equal size, shown `delayCs` hundredths of a second each, looping for ever. The
// colours are reduced to a fixed 6 x 6 x 6 cube.
void WriteAnimatedGif(const std::string& path, const std::vector<Image>& frames, int delayCs);

}  // namespace demo
