#pragma once
// What the decoder tests share besides the picture writers: a pixel reader and a folder.
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "PictureWriters.h"
#include "imaging/Bitmap.h"

namespace pictavo {

// Pixel (x, y) of a 32-bit bitmap as 0xAARRGGBB.
inline std::uint32_t PixelAt(const Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Row(y) + x * 4;
    return static_cast<std::uint32_t>(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0];
}

// A folder removed with its content at the end of the test.
class TempFolder {
public:
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    // Writes `bytes` to the file `name` in the folder and returns its path.
    std::string Write(const std::string& name, const Bytes& bytes) const {
        WriteBytes(Path(name), bytes);
        return Path(name);
    }

private:
    QTemporaryDir dir_;
};

}  // namespace pictavo
