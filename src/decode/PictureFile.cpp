#include "decode/PictureFile.h"

#include <sys/stat.h>
#include <cerrno>
#include <cstring>

#include "decode/DecodeErrors.h"

namespace pictavo {

namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

}  // namespace

FilePtr OpenPictureFile(const std::string& path) {
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) throw EPictureFile("cannot open " + path + ": " + SystemReason());
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        throw EPictureFile(path + " is not a regular file");
    return file;
}

std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
    const FilePtr file = OpenPictureFile(path);
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0)
        throw EPictureFile("cannot examine " + path + ": " + SystemReason());
    if (info.st_size > kMaxPictureFileBytes)
        throw EPictureTooLarge(path + " is larger than " + std::to_string(kMaxPictureFileBytes) + " bytes");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    if (std::ferror(file.get())) throw EPictureFile("cannot read " + path + ": " + SystemReason());
    // A file that shrank meanwhile is read as far as it goes; the decoder then finds it short.
    bytes.resize(got);
    return bytes;
}

}  // namespace pictavo
