#include "SpiPlugin.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spi {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

template <class T>
void PutLe(std::uint8_t* p, T value) {
    std::memcpy(p, &value, sizeof value);
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// A large block is still malloc'ed (the host frees it), but asking for 2 MiB pages inside it
// before it is first touched spares a 6000 x 4000 picture some 17 000 page faults.
void PreferLargePages(std::uint8_t* block, std::size_t size) {
    constexpr std::uintptr_t kLarge = std::uintptr_t{2} << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + kLarge - 1) & ~(kLarge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + size) & ~(kLarge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

}  // namespace

int32_t ReadInput(const char* buf, intptr_t len, uint32_t flag, Input& out) {
    if (buf == nullptr || len < 0) return SPI_FILE_READ_ERROR;
    if ((flag & SPI_INPUT_MASK) == SPI_INPUT_MEMORY) {
        out.data = reinterpret_cast<const std::uint8_t*>(buf);
        out.size = static_cast<std::size_t>(len);
        return SPI_SUCCESS;
    }
    // Opened without waiting, and only a regular file: a FIFO would block the host for ever.
    const int fd = ::open(buf, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SPI_FILE_READ_ERROR;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return SPI_FILE_READ_ERROR;
    }
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) ::close(fd);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return SPI_FILE_READ_ERROR;
    const long end = std::ftell(file.get());
    if (end < len || std::fseek(file.get(), static_cast<long>(len), SEEK_SET) != 0)
        return SPI_FILE_READ_ERROR;
    const auto size = static_cast<std::uint64_t>(end - len);
    if (size > kMaxInputBytes) return SPI_OUT_OF_MEMORY;
    try {
        out.owned.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return SPI_OUT_OF_MEMORY;
    }
    if (std::fread(out.owned.data(), 1, out.owned.size(), file.get()) != out.owned.size())
        return SPI_FILE_READ_ERROR;
    out.data = out.owned.data();
    out.size = out.owned.size();
    return SPI_SUCCESS;
}

bool SizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= kMaxPixels && height <= kMaxPixels &&
           width * height <= kMaxPixels;
}

Dib::~Dib() {
    std::free(info_);
    std::free(bits_);
}

int32_t Dib::Create(std::uint32_t width, std::uint32_t height, int bits) {
    if (!SizeAllowed(width, height) || (bits != 24 && bits != 32)) return SPI_OUT_OF_MEMORY;
    stride_ = (std::size_t{width} * bits + 31) / 32 * 4;
    info_ = static_cast<std::uint8_t*>(std::calloc(1, 40));
    bits_ = static_cast<std::uint8_t*>(std::malloc(stride_ * height));
    if (info_ == nullptr || bits_ == nullptr) return SPI_OUT_OF_MEMORY;
    PreferLargePages(bits_, stride_ * height);
    width_ = width;
    height_ = height;
    bitCount_ = bits;
    PutLe<std::uint32_t>(info_, 40);
    PutLe<std::int32_t>(info_ + 4, static_cast<std::int32_t>(width));
    PutLe<std::int32_t>(info_ + 8, static_cast<std::int32_t>(height));
    PutLe<std::uint16_t>(info_ + 12, 1);
    PutLe<std::uint16_t>(info_ + 14, static_cast<std::uint16_t>(bits));
    PutLe<std::uint32_t>(info_ + 20, static_cast<std::uint32_t>(stride_ * height));
    // Row padding is part of the block the host copies: keep it defined.
    if (stride_ != std::size_t{width} * (bits / 8))
        for (std::uint32_t y = 0; y < height; ++y) std::memset(bits_ + y * stride_ + stride_ - 4, 0, 4);
    return SPI_SUCCESS;
}

void Dib::PutRgbRow(std::uint32_t yFromTop, const std::uint8_t* samples, int channels) {
    std::uint8_t* out = Row(yFromTop);
    const int outChannels = bitCount_ / 8;
    for (std::uint32_t x = 0; x < width_; ++x, samples += channels, out += outChannels) {
        out[0] = samples[2];
        out[1] = samples[1];
        out[2] = samples[0];
        if (outChannels == 4) out[3] = channels == 4 ? samples[3] : 255;
    }
}

void Dib::FlipRows() {
    std::vector<std::uint8_t> spare(stride_);
    for (std::uint32_t top = 0, bottom = height_ - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = bits_ + top * stride_;
        std::uint8_t* b = bits_ + bottom * stride_;
        std::memcpy(spare.data(), a, stride_);
        std::memcpy(a, b, stride_);
        std::memcpy(b, spare.data(), stride_);
    }
}

void Dib::Release(SPI_HANDLE* info, SPI_HANDLE* bits) {
    *info = info_;
    *bits = bits_;
    info_ = bits_ = nullptr;
}

bool Progress::Stop(std::int64_t done, std::int64_t total) const {
    if (callback_ == nullptr || total <= 0) return false;
    // The host takes 32-bit numbers: scale large totals down to per mille.
    const auto num = static_cast<int32_t>(done * 1000 / total);
    return callback_(num, 1000, data_) != 0;
}

int32_t CopyInfo(int32_t infono, char* buf, int32_t buflen, const char* const* texts, int count) {
    if (infono < 0 || infono >= count || buf == nullptr || buflen <= 0) return 0;
    const std::size_t length = std::min(std::strlen(texts[infono]), static_cast<std::size_t>(buflen - 1));
    std::memcpy(buf, texts[infono], length);
    buf[length] = '\0';
    return static_cast<int32_t>(length);
}

bool HasFtypBrand(const std::uint8_t* head, std::size_t size, const char* brand) {
    if (size < 16 || std::memcmp(head + 4, "ftyp", 4) != 0) return false;
    const std::uint32_t boxSize = BigEndian32(head);
    if (boxSize < 16 || boxSize > size) return false;
    if (std::memcmp(head + 8, brand, 4) == 0) return true;
    for (std::uint32_t at = 16; at + 4 <= boxSize; at += 4)
        if (std::memcmp(head + at, brand, 4) == 0) return true;
    return false;
}

void FillPictureInfo(PictureInfo* info, std::uint32_t width, std::uint32_t height, int depth) {
    std::memset(info, 0, sizeof *info);
    info->width = static_cast<int32_t>(width);
    info->height = static_cast<int32_t>(height);
    info->colorDepth = static_cast<int16_t>(depth);
}

}  // namespace spi
