#pragma once
// A decoded picture in memory: rows from the top, BGR(A) byte order, each row padded to
// `Stride()` bytes. Plain C++ so that the hot paths (filters, resamplers, decoders) carry
// no toolkit. Move is cheap; copying is explicit through Clone() so that a 96 MB picture is
// never duplicated by accident.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pictavo {

// Frees a pixel block the way it was obtained: large blocks are mapped from the system
// (`mapped` bytes), small ones come from new[].
struct PixelBlockDeleter {
    std::size_t mapped = 0;
    void operator()(std::uint8_t* block) const noexcept;
};
using PixelBlock = std::unique_ptr<std::uint8_t[], PixelBlockDeleter>;

// Returns a block of `bytes` bytes (nullptr for 0), zeroed when `zeroed`. Blocks of a few
// megabytes and more are mapped from the system and faulted in at once, so that a new
// picture's memory costs the least kernel time on its first touch. Throws std::bad_alloc.
PixelBlock AllocatePixelBlock(std::size_t bytes, bool zeroed);

// Thrown when a bitmap of the requested size cannot exist (negative, overflowing or beyond
// the pixel limit). Untrusted sizes are checked with CheckedPixelCount before allocating.
class EBitmapSize : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest picture any part of the program will allocate: 2^28 pixels (1 GiB at 32 bits).
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 28;

class Bitmap {
public:
    // 8 = palette indexes (with Palette()), 24 = BGR, 32 = BGRA.
    Bitmap() = default;
    // Throws EBitmapSize for width/height < 0, bits not in {8, 24, 32} or more than
    // kMaxBitmapPixels pixels. Pixels start zeroed.
    Bitmap(int width, int height, int bitsPerPixel);
    // The same with pixels left as the memory holds them, for a writer that sets every byte
    // of every row (stride included): zeroing a reused 96 MB block first costs a few ms.
    static Bitmap ForOverwrite(int width, int height, int bitsPerPixel);

    // A moved-from bitmap is empty (0 x 0), never a size without pixels.
    Bitmap(Bitmap&& other) noexcept { *this = std::move(other); }
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap Clone() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bits_; }
    int BytesPerPixel() const { return bits_ / 8; }
    // Bytes from one row to the next: width * bytes per pixel rounded up to 4.
    std::size_t Stride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* Row(int y) {
        opaque_ = false;
        return data_.get() + static_cast<std::size_t>(y) * stride_;
    }
    const std::uint8_t* Row(int y) const { return data_.get() + static_cast<std::size_t>(y) * stride_; }
    std::uint8_t* Data() {
        opaque_ = false;
        return data_.get();
    }
    const std::uint8_t* Data() const { return data_.get(); }
    std::size_t ByteSize() const { return stride_ * static_cast<std::size_t>(height_); }

    // Said by a reader that wrote 255 as every pixel's fourth byte, so that flattening onto a
    // background need not read 96 MB to find nothing to do. Any write access through Row() or
    // Data() forgets it: it can only be trusted for a picture nothing has touched since.
    void MarkOpaque() { opaque_ = bits_ == 32; }
    bool KnownOpaque() const { return opaque_; }

    // Palette of an 8-bit bitmap as 0x00RRGGBB entries (up to 256); empty otherwise.
    std::vector<std::uint32_t>& Palette() { return palette_; }
    const std::vector<std::uint32_t>& Palette() const { return palette_; }

private:
    Bitmap(int width, int height, int bitsPerPixel, bool zeroed);

    int width_ = 0;
    int height_ = 0;
    int bits_ = 32;
    std::size_t stride_ = 0;
    bool opaque_ = false;
    PixelBlock data_;
    std::vector<std::uint32_t> palette_;
};

// Returns width * height, throwing EBitmapSize when either is negative or the product is
// beyond kMaxBitmapPixels. Decoders call it on header values before any allocation.
std::int64_t CheckedPixelCount(std::int64_t width, std::int64_t height);

// A 32-bit copy of any bitmap (8-bit through its palette, 24-bit with the fourth byte 0).
Bitmap ToBits32(const Bitmap& source);
// A 24-bit copy of a 32-bit or 24-bit bitmap (the fourth byte dropped).
Bitmap ToBits24(const Bitmap& source);

}  // namespace pictavo
