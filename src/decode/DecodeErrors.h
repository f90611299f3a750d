#pragma once
// The named failures of the built-in decoders. All derive from EDecode, so the display's
// loaders catch one class, beep and go on; tests and tools can tell the causes apart.
#include <cstdint>
#include <new>
#include <string>

#include "decode/PictureRegistry.h"
#include "imaging/Bitmap.h"

namespace pictavo {

// The file could not be opened or read (missing, unreadable, a folder, larger than we read).
class EPictureFile : public EDecode {
public:
    using EDecode::EDecode;
};

// The header asks for more pixels (or GIF frames x area) than the program will decode.
class EPictureTooLarge : public EDecode {
public:
    using EDecode::EDecode;
};

// Malformed, truncated or unsupported data, one class per format.
class EBmpDecode : public EDecode {
public:
    using EDecode::EDecode;
};
class EJpegDecode : public EDecode {
public:
    using EDecode::EDecode;
};
class EPngDecode : public EDecode {
public:
    using EDecode::EDecode;
};
class EGifDecode : public EDecode {
public:
    using EDecode::EDecode;
};

// Checks a picture size taken from a file header against kMaxBitmapPixels; throws
// EPictureTooLarge (never EBitmapSize) so that callers only need to know EDecode.
// Zero or negative sizes throw `EmptyError` built from `format` ("BMP", ...).
template <class EmptyError>
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* format) {
    if (width <= 0 || height <= 0)
        throw EmptyError(std::string(format) + " picture of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels has nothing to show");
    try {
        CheckedPixelCount(width, height);
    } catch (const EBitmapSize& e) {
        throw EPictureTooLarge(std::string(format) + " " + e.what());
    }
}

// Runs `decode` and turns the failures that are not EDecode yet (the bitmap size guard,
// an allocation that the system refuses) into EDecode subclasses with a message.
template <class F>
auto TranslateDecodeFailures(F&& decode) -> decltype(decode()) {
    try {
        return decode();
    } catch (const EBitmapSize& e) {
        throw EPictureTooLarge(e.what());
    } catch (const std::bad_alloc&) {
        throw EPictureTooLarge("not enough memory to decode the picture");
    }
}

}  // namespace pictavo
