#include "decode/PictureFile.h"

#include <cerrno>
#include <cstring>

#include "decode/DecodeErrors.h"

namespace pictavo {

RegularFile OpenPictureFile(const std::string& path) {
    try {
        return OpenRegularFile(path);
    } catch (const ERegularFile& e) {
        throw EPictureFile(e.what());
    }
}

void ReadMore(std::FILE* file, std::size_t count, std::vector<std::uint8_t>& bytes) {
    const std::size_t had = bytes.size();
    bytes.resize(had + count);
    const std::size_t got = std::fread(bytes.data() + had, 1, count, file);
    if (std::ferror(file))
        throw EPictureFile(std::string("cannot read a picture file: ") + std::strerror(errno));
    // A file that shrank meanwhile is read as far as it goes; the decoder then finds it short.
    bytes.resize(had + got);
}

std::vector<std::uint8_t> ReadPictureFile(const std::string& path) {
    const RegularFile opened = OpenPictureFile(path);
    if (opened.size > kMaxPictureFileBytes)
        throw EPictureTooLarge(path + " is larger than " + std::to_string(kMaxPictureFileBytes) + " bytes");
    std::vector<std::uint8_t> bytes;
    ReadMore(opened.file.get(), static_cast<std::size_t>(opened.size), bytes);
    return bytes;
}

}  // namespace pictavo
