#include "imaging/Bitmap.h"

#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace pictavo {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Below this a block comes from the heap, which reuses freed memory without new faults.
constexpr std::size_t kMapThreshold = 2 * kHugePage;

#if defined(__linux__)
#if !defined(MADV_POPULATE_WRITE)
#define MADV_POPULATE_WRITE 23
#endif

// Faults in every page of a fresh block in one call, which costs the kernel about a fifth
// less than taking one fault per page as the rows are written. Large pages are not asked
// for: where the system hands them out by itself it does so here too, but asked for, the
// kernel first compacts memory to find them, which after an idle moment can take four
// times as long as faulting in small pages. Kernels before 5.14 refuse the request; the
// pages then come one fault at a time, and a block the system cannot back now fails later
// as any untouched memory would.
void Populate(void* block, std::size_t length) {
    madvise(block, length, MADV_POPULATE_WRITE);
}

// The last large block freed, kept for the next allocation of the same mapped length. A
// slideshow frees one picture and decodes the next, usually of the same size: handing the
// old block over saves faulting in a hundred megabytes again (about 40 ms for 24 MP on a
// virtual machine). A block that does not fit is given back before anything new is mapped,
// so keeping one never raises the peak; pictures beyond kMaxKept are never kept.
class BlockRecycler {
public:
    static constexpr std::size_t kMaxKept = std::size_t{128} << 20;

    // The kept block when it has `length` bytes; otherwise gives the kept block back.
    std::uint8_t* Take(std::size_t length) {
        const std::lock_guard lock(mutex_);
        std::uint8_t* block = std::exchange(block_, nullptr);
        const std::size_t kept = std::exchange(length_, 0);
        if (block != nullptr && kept != length) {
            munmap(block, kept);
            block = nullptr;
        }
        return block;
    }

    void Give(std::uint8_t* block, std::size_t length) {
        if (length <= kMaxKept) {
            const std::lock_guard lock(mutex_);
            if (block_ == nullptr) {
                block_ = block;
                length_ = length;
                return;
            }
        }
        munmap(block, length);
    }

private:
    std::mutex mutex_;
    std::uint8_t* block_ = nullptr;
    std::size_t length_ = 0;
};

BlockRecycler& Recycler() {
    static BlockRecycler* recycler = new BlockRecycler;  // never destroyed: blocks die at exit
    return *recycler;
}

std::uint8_t* MapBlock(std::size_t length) {
    // Map one large page more than needed, then give back the ends so that the block starts
    // on a large-page boundary, where a system that uses large pages on its own can back it
    // with them. Fresh mappings read as zero.
    const std::size_t total = length + kHugePage;
    void* raw = mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~(std::uintptr_t{kHugePage} - 1);
    if (aligned > start) munmap(raw, aligned - start);
    const std::size_t tail = start + total - (aligned + length);
    if (tail) munmap(reinterpret_cast<void*>(aligned + length), tail);
    Populate(reinterpret_cast<void*>(aligned), length);
    return reinterpret_cast<std::uint8_t*>(aligned);
}
#endif
}  // namespace

void PixelBlockDeleter::operator()(std::uint8_t* block) const noexcept {
#if defined(__linux__)
    if (mapped) {
        Recycler().Give(block, mapped);
        return;
    }
#endif
    delete[] block;
}

PixelBlock AllocatePixelBlock(std::size_t bytes, bool zeroed) {
    if (bytes == 0) return PixelBlock();
#if defined(__linux__)
    if (bytes >= kMapThreshold) {
        const std::size_t length = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        std::uint8_t* block = Recycler().Take(length);
        if (block != nullptr && zeroed) std::memset(block, 0, bytes);
        if (block == nullptr) block = MapBlock(length);
        return PixelBlock(block, PixelBlockDeleter{length});
    }
#endif
    return PixelBlock(zeroed ? new std::uint8_t[bytes]() : new std::uint8_t[bytes]);
}

std::int64_t CheckedPixelCount(std::int64_t width, std::int64_t height) {
    if (width < 0 || height < 0) throw EBitmapSize("negative picture size");
    if (width > kMaxBitmapPixels || height > kMaxBitmapPixels || width * height > kMaxBitmapPixels)
        throw EBitmapSize("picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is beyond the limit of " + std::to_string(kMaxBitmapPixels) + " pixels");
    return width * height;
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel) : Bitmap(width, height, bitsPerPixel, true) {}

Bitmap Bitmap::ForOverwrite(int width, int height, int bitsPerPixel) {
    return Bitmap(width, height, bitsPerPixel, false);
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel, bool zeroed) {
    if (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        throw EBitmapSize("unsupported bits per pixel: " + std::to_string(bitsPerPixel));
    CheckedPixelCount(width, height);
    width_ = width;
    height_ = height;
    bits_ = bitsPerPixel;
    stride_ = (static_cast<std::size_t>(width) * (bitsPerPixel / 8) + 3) & ~std::size_t{3};
    const std::size_t bytes = stride_ * static_cast<std::size_t>(height);
    data_ = AllocatePixelBlock(bytes, zeroed);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, 32);
        stride_ = std::exchange(other.stride_, 0);
        opaque_ = std::exchange(other.opaque_, false);
        data_ = std::move(other.data_);
        palette_ = std::move(other.palette_);
        other.palette_.clear();
    }
    return *this;
}

Bitmap Bitmap::Clone() const {
    Bitmap copy;
    copy.width_ = width_;
    copy.height_ = height_;
    copy.bits_ = bits_;
    copy.stride_ = stride_;
    copy.opaque_ = opaque_;
    copy.palette_ = palette_;
    const std::size_t bytes = ByteSize();
    if (bytes) {
        copy.data_ = AllocatePixelBlock(bytes, false);
        std::memcpy(copy.data_.get(), data_.get(), bytes);
    }
    return copy;
}

Bitmap ToBits32(const Bitmap& source) {
    Bitmap out(source.Width(), source.Height(), 32);
    const auto& palette = source.Palette();
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* in = source.Row(y);
        std::uint8_t* o = out.Row(y);
        for (int x = 0; x < source.Width(); ++x, o += 4) {
            if (source.BitsPerPixel() == 8) {
                const std::uint32_t c = in[x] < palette.size() ? palette[in[x]] : 0;
                o[0] = c & 0xFF;
                o[1] = (c >> 8) & 0xFF;
                o[2] = (c >> 16) & 0xFF;
                o[3] = 0;
            } else if (source.BitsPerPixel() == 24) {
                o[0] = in[x * 3];
                o[1] = in[x * 3 + 1];
                o[2] = in[x * 3 + 2];
                o[3] = 0;
            } else {
                std::memcpy(o, in + x * 4, 4);
            }
        }
    }
    return out;
}

Bitmap ToBits24(const Bitmap& source) {
    if (source.BitsPerPixel() == 8) return ToBits24(ToBits32(source));
    Bitmap out(source.Width(), source.Height(), 24);
    const int step = source.BytesPerPixel();
    for (int y = 0; y < source.Height(); ++y) {
        const std::uint8_t* in = source.Row(y);
        std::uint8_t* o = out.Row(y);
        for (int x = 0; x < source.Width(); ++x) {
            o[x * 3] = in[x * step];
            o[x * 3 + 1] = in[x * step + 1];
            o[x * 3 + 2] = in[x * step + 2];
        }
    }
    return out;
}

}  // namespace pictavo
