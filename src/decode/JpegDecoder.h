#pragma once
// The built-in JPEG reader on libjpeg-turbo: decodes straight to BGRA; grey, YCbCr, RGB,
// CMYK and YCCK pictures; progressive pictures with a bounded number of scans and bounded
// memory so that a hostile file cannot keep the program busy for minutes.
#include <cstdint>
#include <span>
#include <string>

#include "decode/PictureRegistry.h"

namespace pictavo {

// A progressive file may refine the picture in this many scans at most. Encoders write 6 to
// 12; every scan walks the whole picture again, so the number bounds the work.
inline constexpr int kMaxJpegScans = 100;
// Memory that libjpeg may take for whole-picture buffers (progressive coefficients).
inline constexpr long kMaxJpegWorkBytes = 1L << 30;

class JpegDecoder : public PictureDecoder {
public:
    // The file at `path` as a new 32-bit bitmap owned by the caller (fourth byte 255).
    // Throws EPictureFile, EJpegDecode (malformed, truncated, unsupported, too many scans)
    // or EPictureTooLarge.
    Bitmap Decode(const std::string& path) const override;

    // The JPEG data `bytes` (the caller's) decoded into `target`, whose pixel memory is reused
    // when it is already a 32-bit bitmap of the picture's size and replaced otherwise.
    // Throws like Decode; `target` then holds an unspecified picture.
    static void DecodeInto(std::span<const std::uint8_t> bytes, Bitmap& target);
    // The same for the file at `path`, read as it is decoded.
    static void DecodeFileInto(const std::string& path, Bitmap& target);
};

}  // namespace pictavo
