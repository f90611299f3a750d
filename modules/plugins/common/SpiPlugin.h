#pragma once
// What every shipped picture plug-in shares: its input (a file or a memory image), the DIB it
// hands back (malloc'ed, bottom-up, 24 or 32 bits, size checked before allocating), progress
// reports and the nine-export boilerplate. A codec only says how to recognise, measure and
// decode its format. No global state: everything lives in one call.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "decode/SusiePluginApi.h"

namespace spi {

// The largest picture a plug-in decodes: 2^28 pixels, as the host.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;
// Files beyond this are not read whole.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{1} << 30;

// The picture's bytes: a whole file read from its offset, or the host's memory image.
struct Input {
    std::vector<std::uint8_t> owned;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
// SPI_SUCCESS, or SPI_FILE_READ_ERROR / SPI_OUT_OF_MEMORY.
int32_t ReadInput(const char* buf, intptr_t len, uint32_t flag, Input& out);

// Bounds for a picture size taken from the file: both positive, at most kMaxPixels.
bool SizeAllowed(std::uint64_t width, std::uint64_t height);

// A DIB being filled. Rows are addressed from the top; they are stored bottom-up.
class Dib {
public:
    Dib() = default;
    ~Dib();
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    // Allocates a bits (24 or 32) DIB; SPI_OUT_OF_MEMORY when too large or refused.
    int32_t Create(std::uint32_t width, std::uint32_t height, int bits);
    std::uint8_t* Row(std::uint32_t yFromTop) {
        return bits_ + std::size_t(height_ - 1 - yFromTop) * stride_;
    }
    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }
    int Bits() const { return bitCount_; }
    std::size_t Stride() const { return stride_; }
    // The block's rows in memory order, for decoders that write top-down and then FlipRows().
    std::uint8_t* Block() { return bits_; }
    // Reverses the row order in place (top-down to bottom-up).
    void FlipRows();
    // Hands both blocks to the host; the object is empty afterwards.
    void Release(SPI_HANDLE* info, SPI_HANDLE* bits);

    // Writes one row of 8-bit RGB(A) `samples` (`channels` 3 or 4) as BGR(A).
    void PutRgbRow(std::uint32_t yFromTop, const std::uint8_t* samples, int channels);

private:
    std::uint8_t* info_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    std::uint32_t width_ = 0, height_ = 0;
    std::size_t stride_ = 0;
    int bitCount_ = 0;
};

// Reports `done` of `total` to the host; true when the host asks to stop.
class Progress {
public:
    Progress(SPI_PROGRESS callback, intptr_t data) : callback_(callback), data_(data) {}
    bool Stop(std::int64_t done, std::int64_t total) const;

private:
    SPI_PROGRESS callback_;
    intptr_t data_;
};

// GetPluginInfo over a fixed table of texts (version, name, pattern, format name).
int32_t CopyInfo(int32_t infono, char* buf, int32_t buflen, const char* const* texts, int count);

// True when an ISO media file's "ftyp" box names `brand` as major or compatible brand.
bool HasFtypBrand(const std::uint8_t* head, std::size_t size, const char* brand);

// Picture size and depth for GetPictureInfo.
void FillPictureInfo(PictureInfo* info, std::uint32_t width, std::uint32_t height, int depth);

}  // namespace spi

// The exports of a picture plug-in over `Codec`, which provides:
//   static const char* const kInfo[4];                     version, name, pattern, format name
//   static bool Sniff(const uint8_t* head, size_t size);   size: readable bytes at head
//   static int32_t Measure(const spi::Input&, uint32_t& w, uint32_t& h, int& depth);
//   static int32_t Decode(const spi::Input&, spi::Dib&, const spi::Progress&);
#define PICTAVO_SPI_PICTURE_PLUGIN(Codec)                                                                  \
    extern "C" {                                                                                           \
    SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen) {                          \
        return spi::CopyInfo(infono, buf, buflen, Codec::kInfo, 4);                                        \
    }                                                                                                      \
    SPI_EXPORT int32_t IsSupported(const char*, const void* dw) {                                          \
        return dw != nullptr &&                                                                            \
               Codec::Sniff(static_cast<const std::uint8_t*>(dw), SPI_HEAD_SIZE - SPI_MACBINARY_OFFSET);   \
    }                                                                                                      \
    SPI_EXPORT int32_t GetPictureInfo(const char* buf, intptr_t len, uint32_t flag, PictureInfo* lpInfo) { \
        spi::Input input;                                                                                  \
        int32_t result = spi::ReadInput(buf, len, flag, input);                                            \
        if (result != SPI_SUCCESS || lpInfo == nullptr)                                                    \
            return result != SPI_SUCCESS ? result : SPI_MEMORY_ERROR;                                      \
        std::uint32_t w = 0, h = 0;                                                                        \
        int depth = 0;                                                                                     \
        result = Codec::Measure(input, w, h, depth);                                                       \
        if (result == SPI_SUCCESS) spi::FillPictureInfo(lpInfo, w, h, depth);                              \
        return result;                                                                                     \
    }                                                                                                      \
    SPI_EXPORT int32_t GetPicture(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pHBInfo,       \
                                  SPI_HANDLE* pHBm, SPI_PROGRESS callback, intptr_t lData) {               \
        if (pHBInfo == nullptr || pHBm == nullptr) return SPI_MEMORY_ERROR;                                \
        *pHBInfo = *pHBm = nullptr;                                                                        \
        const spi::Progress progress(callback, lData);                                                     \
        if (progress.Stop(0, 1)) return SPI_ABORTED;                                                       \
        spi::Input input;                                                                                  \
        int32_t result = spi::ReadInput(buf, len, flag, input);                                            \
        if (result != SPI_SUCCESS) return result;                                                          \
        spi::Dib dib;                                                                                      \
        try {                                                                                              \
            result = Codec::Decode(input, dib, progress);                                                  \
        } catch (...) {                                                                                    \
            return SPI_MEMORY_ERROR;                                                                       \
        }                                                                                                  \
        if (result != SPI_SUCCESS) return result;                                                          \
        if (progress.Stop(1, 1)) return SPI_ABORTED;                                                       \
        dib.Release(pHBInfo, pHBm);                                                                        \
        return SPI_SUCCESS;                                                                                \
    }                                                                                                      \
    SPI_EXPORT int32_t GetPreview(const char*, intptr_t, uint32_t, SPI_HANDLE*, SPI_HANDLE*, SPI_PROGRESS, \
                                  intptr_t) {                                                              \
        return SPI_NOT_IMPLEMENTED;                                                                        \
    }                                                                                                      \
    }
