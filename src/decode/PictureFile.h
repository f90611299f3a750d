#pragma once
// Opening and reading picture files. The JPEG, PNG and BMP readers also work on bytes so that
// the same code serves files, archive members and plug-in results.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/RegularFile.h"

namespace pictavo {

// Files larger than this are refused before reading whole: no picture within kMaxBitmapPixels
// needs more (a 32-bit BMP at the limit is 1 GiB plus its headers).
inline constexpr std::int64_t kMaxPictureFileBytes = (std::int64_t{1} << 30) + (std::int64_t{1} << 20);

// Opens `path` for binary reading, never waiting on a FIFO or device: only a regular file is
// opened. Throws EPictureFile when it cannot.
RegularFile OpenPictureFile(const std::string& path);

// The whole content of the regular file at `path`, owned by the caller. Throws EPictureFile
// when it cannot be opened or read, is not a regular file or is larger than the limit above.
std::vector<std::uint8_t> ReadPictureFile(const std::string& path);

// Appends up to `count` more bytes of `file` to `bytes`, fewer where the file ends.
// Throws EPictureFile when reading fails.
void ReadMore(std::FILE* file, std::size_t count, std::vector<std::uint8_t>& bytes);

}  // namespace pictavo
