#pragma once
// Reading a picture file whole into memory: the JPEG, PNG and BMP readers work on bytes so
// that the same code serves files, archive members and plug-in results.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace pictavo {

// Files larger than this are refused before reading: no picture within kMaxBitmapPixels
// needs more (a 32-bit BMP at the limit is 1 GiB plus its headers).
inline constexpr std::int64_t kMaxPictureFileBytes = (std::int64_t{1} << 30) + (std::int64_t{1} << 20);

// The whole content of the regular file at `path`, owned by the caller. Throws EPictureFile
// when it cannot be opened or read, is not a regular file or is larger than the limit above.
std::vector<std::uint8_t> ReadPictureFile(const std::string& path);

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens `path` for binary reading; throws EPictureFile when it cannot.
FilePtr OpenPictureFile(const std::string& path);

}  // namespace pictavo
