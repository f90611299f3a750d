#include "decode/PictureRegistry.h"

#include <algorithm>
#include <cctype>
#include <iterator>

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
    registry.Register("bmp", std::make_shared<BmpDecoder>(), true, "Bitmap");
    const auto jpeg = std::make_shared<JpegDecoder>();
    registry.Register("jpg", jpeg, true, "JPEG Image File");
    registry.Register("jpeg", jpeg, true, "JPEG Image File");
    registry.Register("png", std::make_shared<PngDecoder>(), true, "Portable Network Graphics");
    registry.Register("gif", std::make_shared<GifDecoder>(), true, "GIF Image");
    return registry;
}

void PictureRegistry::Register(std::string_view extension, std::shared_ptr<const PictureDecoder> decoder,
                               bool threadSafe, std::string description) {
    decoders_[NormalisedExtension(extension)].push_back({Choice{std::move(decoder), threadSafe}, std::move(description)});
}

void PictureRegistry::Unregister(const PictureDecoder* decoder) {
    for (auto it = decoders_.begin(); it != decoders_.end();) {
        std::erase_if(it->second, [decoder](const Entry& e) { return e.choice.decoder.get() == decoder; });
        it = it->second.empty() ? decoders_.erase(it) : std::next(it);
    }
}

const PictureDecoder* PictureRegistry::Find(std::string_view extension) const {
    const auto it = decoders_.find(NormalisedExtension(extension));
    return it == decoders_.end() ? nullptr : it->second.back().choice.decoder.get();
}

std::string PictureRegistry::Description(std::string_view extension) const {
    const auto it = decoders_.find(NormalisedExtension(extension));
    return it == decoders_.end() ? std::string{} : it->second.back().description;
}

PictureRegistry::Choice PictureRegistry::DecoderFor(const std::string& path) const {
    const std::string_view extension = FileExtension(path);
    if (extension.empty()) return {};
    const auto it = decoders_.find(NormalisedExtension(extension));
    return it == decoders_.end() ? Choice{} : it->second.back().choice;
}

Bitmap PictureRegistry::Load(const std::string& path) const {
    const PictureDecoder* decoder = DecoderFor(path).decoder.get();
    if (!decoder) throw EUnknownFormat("no decoder for the file " + path);
    return decoder->Decode(path);
}

}  // namespace pictavo
