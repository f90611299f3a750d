#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pictavo {

RegularFile OpenRegularFile(const std::string& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw ERegularFile("cannot open " + path + ": " + std::strerror(errno));
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const int flags = regular ? ::fcntl(fd, F_GETFL) : -1;
    std::FILE* stream =
        flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 ? ::fdopen(fd, "rb") : nullptr;
    if (!stream) {
        ::close(fd);
        throw ERegularFile(regular ? "cannot read " + path : path + " is not a regular file");
    }
    return {FilePtr(stream), static_cast<std::int64_t>(info.st_size)};
}

}  // namespace pictavo
