#include "decode/PictureRegistry.h"

#include <algorithm>
#include <cctype>

#include "decode/BmpDecoder.h"
#include "decode/GifDecoder.h"
#include "decode/JpegDecoder.h"
#include "decode/PngDecoder.h"
#include "platform/FileNames.h"

namespace pictavo {

namespace {

std::string NormalisedExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    std::string key(extension);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

}  // namespace

PictureRegistry PictureRegistry::WithBuiltins() {
    PictureRegistry registry;
    // Each built-in decode keeps its state in its own call, so they may run side by side.
    registry.Register("bmp", std::make_shared<BmpDecoder>(), true);
    const auto jpeg = std::make_shared<JpegDecoder>();
    registry.Register("jpg", jpeg, true);
    registry.Register("jpeg", jpeg, true);
    registry.Register("png", std::make_shared<PngDecoder>(), true);
    registry.Register("gif", std::make_shared<GifDecoder>(), true);
    return registry;
}

void PictureRegistry::Register(std::string_view extension, std::shared_ptr<const PictureDecoder> decoder,
                               bool threadSafe) {
    decoders_[NormalisedExtension(extension)] = Choice{std::move(decoder), threadSafe};
}

const PictureDecoder* PictureRegistry::Find(std::string_view extension) const {
    const auto it = decoders_.find(NormalisedExtension(extension));
    return it == decoders_.end() ? nullptr : it->second.decoder.get();
}

PictureRegistry::Choice PictureRegistry::DecoderFor(const std::string& path) const {
    const std::string_view extension = FileExtension(path);
    if (extension.empty()) return {};
    const auto it = decoders_.find(NormalisedExtension(extension));
    return it == decoders_.end() ? Choice{} : it->second;
}

Bitmap PictureRegistry::Load(const std::string& path) const {
    const PictureDecoder* decoder = DecoderFor(path).decoder.get();
    if (!decoder) throw EUnknownFormat("no decoder for the file " + path);
    return decoder->Decode(path);
}

}  // namespace pictavo
