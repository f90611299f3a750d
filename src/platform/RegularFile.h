#pragma once
// Opening a file that the image list names (a picture, a list file, an archive member): the
// open never waits and only a regular file is accepted, so a FIFO or a device that happens to
// be called "x.jpg" is refused at once instead of blocking the program for ever.
// Plain C++ (no Qt), for the decoders as well as the Qt code.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace pictavo {

// The file could not be opened or examined, or it is not a regular file.
class ERegularFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

struct RegularFile {
    FilePtr file;           // open for binary reading
    std::int64_t size = 0;  // in bytes, when it was opened
};

// Opens `path` (bytes as the system takes them) without blocking, checks with fstat that it is
// a regular file and hands it over for ordinary reading. Throws ERegularFile with the reason.
RegularFile OpenRegularFile(const std::string& path);

}  // namespace pictavo
