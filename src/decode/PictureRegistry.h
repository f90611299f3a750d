#pragma once
// Which decoder reads which file: extension (lower case, no dot) to decoder. Built-in formats
// are registered first; plug-ins register later and the newest registration of an extension
// wins. Callers (the display's loaders) never call a decoder directly: they ask Load().
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/Bitmap.h"

namespace pictavo {

// Base of every decoding failure: the caller beeps and shows nothing.
class EDecode : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file whose extension no decoder claims.
class EUnknownFormat : public EDecode {
public:
    using EDecode::EDecode;
};

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // Decodes the file at `path` (a local file-system path, bytes as the OS takes them) into
    // a new 32-bit bitmap owned by the caller. Throws EDecode (or a subclass) on any failure.
    // The fourth byte is straight (not premultiplied) alpha: 255 for opaque pixels, the
    // picture's own alpha where the format has one (PNG, GIF transparency, BMP alpha masks).
    virtual Bitmap Decode(const std::string& path) const = 0;
};

class PictureRegistry {
public:
    // A registry holding the built-in BMP, JPEG, PNG and GIF decoders.
    static PictureRegistry WithBuiltins();

    // `extension` may carry a leading dot and any case; the newest registration wins.
    // `threadSafe` says the decoder may run on a worker thread while the user-interface thread
    // decodes too (our built-in decoders may; plug-ins are code of others and may not).
    // `description` names the format ("WebP picture"); the registry keeps it for listings.
    void Register(std::string_view extension, std::shared_ptr<const PictureDecoder> decoder,
                  bool threadSafe = false, std::string description = {});
    // Removes every registration of `decoder`; what it had taken over falls back to the
    // registration before it (a plug-in leaving gives jpg back to the built-in reader).
    void Unregister(const PictureDecoder* decoder);
    // The decoder for `extension` (dot and case as above), or nullptr.
    const PictureDecoder* Find(std::string_view extension) const;
    // The description of the newest registration of `extension`, empty when none.
    std::string Description(std::string_view extension) const;
    // Decodes `path` by the extension of its file name. Throws EUnknownFormat when no decoder
    // claims it and EDecode when decoding fails.
    Bitmap Load(const std::string& path) const;

    // The decoder that Load would use for `path`, shared so that a decode on another thread
    // keeps it alive, with its thread-safety; an empty pointer when no decoder claims the file.
    struct Choice {
        std::shared_ptr<const PictureDecoder> decoder;
        bool threadSafe = false;
    };
    Choice DecoderFor(const std::string& path) const;

private:
    struct Entry {
        Choice choice;
        std::string description;
    };
    // Per extension, every registration in order; the last one serves.
    std::map<std::string, std::vector<Entry>, std::less<>> decoders_;
};

}  // namespace pictavo
