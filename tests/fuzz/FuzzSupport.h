#pragma once
// Helpers shared by the fuzzing harnesses.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "decode/PictureRegistry.h"

namespace pictavo::fuzz {

// A file in memory for the decoders' file forms: one per process, rewritten for each input.
// It is a regular file to fstat, and writing it costs no disk.
// Replaces the file's content with the `size` bytes at `data`; returns its path.
inline const std::string& InMemoryFile(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    return path;
}

// Stops the run when a property that must hold does not: libFuzzer keeps the input.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

// The picture `decode()` gives, or an empty one when the reader refuses the input. A reader's
// two forms (bytes in memory and a file) must give the same picture, or both refuse the input.
template <typename Decode>
Bitmap DecodedOrEmpty(Decode decode) {
    try {
        return decode();
    } catch (const EDecode&) {
        return {};
    }
}

inline void RequireSamePicture(const Bitmap& fromBytes, const Bitmap& fromFile) {
    Require(
        fromBytes.Width() == fromFile.Width() && fromBytes.Height() == fromFile.Height() &&
            (!fromFile.Data() || std::memcmp(fromBytes.Data(), fromFile.Data(), fromFile.ByteSize()) == 0),
        "the file and the bytes decode differently");
}

}  // namespace pictavo::fuzz
