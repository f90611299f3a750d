#pragma once
// Helpers shared by the fuzzing harnesses.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

}  // namespace pictavo::fuzz
