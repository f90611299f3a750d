#include "decode/SPIBmp.h"

#include <malloc.h>

#include <QFileInfo>
#include <array>
#include <cstdlib>
#include <cstring>

#include "decode/BmpDecoder.h"
#include "decode/PictureFile.h"
#include "decode/SPIs.h"
#include "decode/SpiDib.h"
#include "platform/NameExtension.h"

namespace pictavo {

namespace {

constexpr const char* kCouldNotDecode = "Susie Plugins could not decode";

// Real size of a block a plug-in malloc'ed: what its header claims is checked against this.
std::size_t BlockCapacity(SPI_HANDLE block) {
    return block == nullptr ? 0 : ::malloc_usable_size(block);
}

bool IsBmpName(const QString& name) {
    return NameExtension(name).compare(QLatin1String(".BMP"), Qt::CaseInsensitive) == 0;
}

}  // namespace

int ProgressPercent(int32_t num, int32_t denom) {
    // Rounded like the Windows MulDiv, which gives -1 for a zero denominator.
    std::int64_t scaled = -1;
    if (denom != 0) {
        const std::int64_t product = std::int64_t{num} * 97;
        const std::int64_t half = std::llabs(denom) / 2;
        scaled = (product >= 0) == (denom > 0) ? (std::llabs(product) + half) / std::llabs(denom)
                                               : -((std::llabs(product) + half) / std::llabs(denom));
    }
    return static_cast<std::uint8_t>(scaled + 2);
}

void SpiBlocks::Free() {
    std::free(info);
    std::free(bits);
    std::free(text);
    info = bits = text = nullptr;
}

TInSPIAbleData::TInSPIAbleData(QString fileName, ProgressHandler progress)
    : fileName_(std::move(fileName)), progress_(std::move(progress)) {}

void TInSPIAbleData::Progress(ProgressStage stage, int percent, const QString& text) {
    if (progress_) progress_(stage, percent, text);
}

int32_t TInSPIAbleData::ProgressCallback(int32_t num, int32_t denom, intptr_t data) {
    auto* self = reinterpret_cast<TInSPIAbleData*>(data);
    if (self == nullptr || !self->progress_) return 0;
    // No exception may cross the plug-in's C frames: a stop becomes the answer 1, any other
    // error is kept and raised again once the plug-in has returned.
    try {
        self->Progress(ProgressStage::Running, ProgressPercent(num, denom), QString());
        return 0;
    } catch (const EProgressAbort&) {
        return 1;
    } catch (...) {
        self->handlerError_ = std::current_exception();
        return 1;
    }
}

void TInSPIAbleData::LoadPicture(const TSPIs* manager) {
    const bool macBinary = manager != nullptr && manager->MacBinary;
    const bool preview = manager != nullptr && manager->GraphicPreview;
    Progress(ProgressStage::Starting, 0, QStringLiteral("Loading Graphic by Susie Plugin"));
    try {
        blocks_.Free();
        Progress(ProgressStage::Running, 1, QStringLiteral("Seeking enabled Susie Plugins"));
        const auto candidates =
            manager != nullptr ? manager->CollectSPIs({SPIKind::In}, fileName_) : std::vector<const TSPI*>{};
        // Read once for every plug-in; the zeros stay where the picture is shorter.
        // The zeros past the head let a plug-in read a whole head's length from the MacBinary
        // position too.
        std::array<std::uint8_t, SPI_HEAD_SIZE + SPI_MACBINARY_OFFSET> head{};
        const bool readable = ReadHead(head.data(), SPI_HEAD_SIZE);
        bool loaded = false;
        for (const TSPI* spi : readable ? candidates : std::vector<const TSPI*>{}) {
            for (const intptr_t offset : {intptr_t{0}, intptr_t{SPI_MACBINARY_OFFSET}}) {
                if (offset != 0 && !macBinary) break;
                Progress(ProgressStage::Running, 1,
                         QStringLiteral("Loading by [%1]").arg(QFileInfo(spi->FileName()).fileName()));
                loaded = TryPlugin(*spi, head.data(), offset, preview);
                if (loaded) break;
                blocks_.Free();
            }
            if (loaded) break;
        }
    } catch (...) {
        blocks_.Free();
        Progress(ProgressStage::Ending, 100, QStringLiteral("Loaded Graphic by Susie Plugin"));
        throw;
    }
    Progress(ProgressStage::Ending, 100, QStringLiteral("Loaded Graphic by Susie Plugin"));
}

bool TInSPIAbleData::TryPlugin(const TSPI& spi, const std::uint8_t* head, intptr_t offset, bool preview) {
    if (spi.IsSupported(fileName_.toUtf8().constData(), head + offset) == 0) return false;
    const Arguments args = ArgumentsAt(offset);
    // Only the text is kept, to be freed; a failed call may have left the record undefined.
    PictureInfo info{};
    if (spi.GetPictureInfo(args.buf, args.len, args.flag, &info) == SPI_SUCCESS) blocks_.text = info.hInfo;
    if (preview && ReadBlocks(spi, offset, true)) return true;
    return ReadBlocks(spi, offset, false);
}

// One GetPicture/GetPreview call. Blocks that fail the checks count as no picture.
bool TInSPIAbleData::ReadBlocks(const TSPI& spi, intptr_t offset, bool preview) {
    const Arguments args = ArgumentsAt(offset);
    SPI_HANDLE info = nullptr;
    SPI_HANDLE bits = nullptr;
    const int32_t result = preview ? spi.GetPreview(args.buf, args.len, args.flag, &info, &bits,
                                                    &ProgressCallback, reinterpret_cast<intptr_t>(this))
                                   : spi.GetPicture(args.buf, args.len, args.flag, &info, &bits,
                                                    &ProgressCallback, reinterpret_cast<intptr_t>(this));
    if (handlerError_) {
        std::exception_ptr error = std::exchange(handlerError_, nullptr);
        if (result == SPI_SUCCESS) std::free(info), std::free(bits);
        std::rethrow_exception(error);
    }
    if (result != SPI_SUCCESS) return false;  // the handles are not ours then: nothing to free
    std::free(blocks_.info);
    std::free(blocks_.bits);
    blocks_.info = info;
    blocks_.bits = bits;
    if (!blocks_.Complete()) return false;
    try {
        CheckDib(static_cast<const std::uint8_t*>(info), BlockCapacity(info), BlockCapacity(bits));
        return true;
    } catch (const ESPIBadPicture&) {
        return false;
    }
}

TInSPIAbleFromFile::TInSPIAbleFromFile(const std::string& path, ProgressHandler progress)
    : TInSPIAbleData(QString::fromStdString(path), std::move(progress)), path_(path) {}

// A path that is not a regular file (missing, a folder, a FIFO) reaches no plug-in: a plug-in
// opening a FIFO would wait for ever.
bool TInSPIAbleFromFile::ReadHead(std::uint8_t* head, std::size_t count) const {
    try {
        const RegularFile file = OpenPictureFile(path_);
        const std::size_t got = std::fread(head, 1, count, file.file.get());
        (void)got;  // a short or failed read leaves zeros
        return true;
    } catch (const EDecode&) {
        return false;
    }
}

TInSPIAbleData::Arguments TInSPIAbleFromFile::ArgumentsAt(intptr_t offset) const {
    return {path_.c_str(), offset, SPI_INPUT_FILE};
}

TInSPIAbleFromMemory::TInSPIAbleFromMemory(std::span<const std::uint8_t> bytes, QString name,
                                           ProgressHandler progress)
    : TInSPIAbleData(std::move(name), std::move(progress)), bytes_(bytes) {}

bool TInSPIAbleFromMemory::ReadHead(std::uint8_t* head, std::size_t count) const {
    std::memcpy(head, bytes_.data(), std::min(count, bytes_.size()));
    return true;
}

TInSPIAbleData::Arguments TInSPIAbleFromMemory::ArgumentsAt(intptr_t offset) const {
    const std::size_t skip = std::min(bytes_.size(), static_cast<std::size_t>(offset));
    return {reinterpret_cast<const char*>(bytes_.data() + skip), static_cast<intptr_t>(bytes_.size() - skip),
            SPI_INPUT_MEMORY};
}

namespace {

// The plug-ins' turn: a bitmap, or nothing when none of them returned a usable picture.
std::optional<Bitmap> ThroughPlugins(TInSPIAbleData& input) {
    input.LoadPicture(TSPIs::Instance());
    const SpiBlocks& blocks = input.Blocks();
    if (!blocks.Complete()) return std::nullopt;
    const auto* info = static_cast<const std::uint8_t*>(blocks.info);
    return ConvertDib(info, BlockCapacity(blocks.info), static_cast<const std::uint8_t*>(blocks.bits),
                      BlockCapacity(blocks.bits));
}

// Runs the two readers in the order the name asks for; the first picture wins.
template <class Plugins, class Bmp>
Bitmap FirstDecoded(bool bmpFirst, Plugins&& plugins, Bmp&& bmp, const ProgressHandler& progress) {
    std::optional<Bitmap> picture;
    auto tryBmp = [&] {
        try {
            picture = bmp();
        } catch (const EDecode&) {
        }
    };
    auto tryPlugins = [&] {
        try {
            picture = plugins();
        } catch (const EDecode&) {
        }
    };
    struct Ending {
        const ProgressHandler& progress;
        ~Ending() {
            if (progress) progress(ProgressStage::Ending, 100, QStringLiteral("Loaded Graphic"));
        }
    } ending{progress};
    if (bmpFirst) tryBmp();
    if (!picture) tryPlugins();
    if (!picture && !bmpFirst) tryBmp();
    if (!picture) throw EInvalidGraphic(kCouldNotDecode);
    return std::move(*picture);
}

// The inner load's own ending is not passed on: the bitmap reports its own.
ProgressHandler Relay(const ProgressHandler& progress) {
    if (!progress) return {};
    return [progress](ProgressStage stage, int percent, const QString& text) {
        if (stage != ProgressStage::Ending) progress(stage, percent, text);
    };
}

}  // namespace

Bitmap TSPIBitmap::Decode(const std::string& path) const {
    return LoadFromFile(path, {});
}

Bitmap TSPIBitmap::LoadFromFile(const std::string& path, const ProgressHandler& progress) {
    const QString name = QString::fromStdString(path);
    return FirstDecoded(
        IsBmpName(name),
        [&] {
            TInSPIAbleFromFile input(path, Relay(progress));
            return ThroughPlugins(input);
        },
        [&] { return BmpDecoder().Decode(path); }, progress);
}

Bitmap TSPIBitmap::LoadFromMemory(std::span<const std::uint8_t> bytes, const QString& name,
                                  const ProgressHandler& progress) {
    return FirstDecoded(
        IsBmpName(name),
        [&] {
            TInSPIAbleFromMemory input(bytes, name, Relay(progress));
            return ThroughPlugins(input);
        },
        [&] { return BmpDecoder::DecodeBytes(bytes); }, progress);
}

}  // namespace pictavo
