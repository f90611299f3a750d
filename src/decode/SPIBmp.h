#pragma once
// Decoding a picture through the Susie picture plug-ins: each plug-in that the manager
// offers tries the file (at offset 0, then past a MacBinary header), the blocks it returns
// are checked and read by our BMP reader as an in-memory BMP image (the file header written
// here, the pixel block read where the plug-in left it), which makes the bitmap.
#include <QString>
#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>

#include "decode/PictureRegistry.h"
#include "decode/SusiePluginApi.h"
#include "imaging/Bitmap.h"

namespace pictavo {

class TSPI;
class TSPIs;

// No plug-in (and, where it was asked, not our BMP reader either) could decode the picture.
class EInvalidGraphic : public EDecode {
public:
    using EDecode::EDecode;
};

// Thrown by a progress handler to stop the plug-in at work: the plug-in is told to stop and
// that attempt fails (the next plug-in still gets its turn).
class EProgressAbort : public EDecode {
public:
    EProgressAbort() : EDecode("picture load stopped") {}
};

enum class ProgressStage { Starting, Running, Ending };
// Progress of a load: stage, percent (0..100) and a text (empty for the plug-in's own steps).
using ProgressHandler = std::function<void(ProgressStage stage, int percent, const QString& text)>;

// The three blocks a plug-in hands over, freed together (malloc'ed by the plug-in).
class SpiBlocks {
public:
    SpiBlocks() = default;
    ~SpiBlocks() { Free(); }
    SpiBlocks(const SpiBlocks&) = delete;
    SpiBlocks& operator=(const SpiBlocks&) = delete;
    void Free();
    bool Complete() const { return info != nullptr && bits != nullptr; }

    SPI_HANDLE info = nullptr;
    SPI_HANDLE bits = nullptr;
    SPI_HANDLE text = nullptr;  // PictureInfo.hInfo
};

// The picture being loaded and the blocks a plug-in returned for it. The two kinds differ in
// where the bytes come from: a file (path and offset) or a memory image (address and size).
class TInSPIAbleData {
public:
    TInSPIAbleData(QString fileName, ProgressHandler progress);
    virtual ~TInSPIAbleData() = default;

    // Lets each plug-in of `manager` (may be null) try the picture until one returns blocks
    // that hold a picture. An error the handler raises outside a plug-in's own progress, and
    // any error but EProgressAbort inside it, ends the load and is passed on (blocks freed).
    void LoadPicture(const TSPIs* manager);
    const SpiBlocks& Blocks() const { return blocks_; }

protected:
    // Fills `head` (zeroed, `count` bytes) with the first bytes of the picture; false when
    // the picture cannot be read at all (then no plug-in is asked).
    virtual bool ReadHead(std::uint8_t* head, std::size_t count) const = 0;
    struct Arguments {
        const char* buf;
        intptr_t len;
        uint32_t flag;
    };
    virtual Arguments ArgumentsAt(intptr_t offset) const = 0;

    const QString fileName_;

private:
    bool TryPlugin(const TSPI& spi, const std::uint8_t* head, intptr_t offset, bool preview);
    bool ReadBlocks(const TSPI& spi, intptr_t offset, bool preview);
    void Progress(ProgressStage stage, int percent, const QString& text);
    static int32_t ProgressCallback(int32_t num, int32_t denom, intptr_t data);

    ProgressHandler progress_;
    SpiBlocks blocks_;
    std::exception_ptr handlerError_;
};

class TInSPIAbleFromFile final : public TInSPIAbleData {
public:
    TInSPIAbleFromFile(const std::string& path, ProgressHandler progress);

protected:
    bool ReadHead(std::uint8_t* head, std::size_t count) const override;
    Arguments ArgumentsAt(intptr_t offset) const override;

private:
    std::string path_;
};

// `bytes` stay the caller's and must outlive the object.
class TInSPIAbleFromMemory final : public TInSPIAbleData {
public:
    TInSPIAbleFromMemory(std::span<const std::uint8_t> bytes, QString name, ProgressHandler progress);

protected:
    bool ReadHead(std::uint8_t* head, std::size_t count) const override;
    Arguments ArgumentsAt(intptr_t offset) const override;

private:
    std::span<const std::uint8_t> bytes_;
};

// The decoder registered for every picture plug-in extension. Files whose extension is
// ".bmp" (any case) go to our BMP reader first and to the plug-ins only when it fails; every
// other file goes to the plug-ins first and to the BMP reader after them.
class TSPIBitmap final : public PictureDecoder {
public:
    // Throws EInvalidGraphic ("Susie Plugins could not decode") when nothing decodes it.
    Bitmap Decode(const std::string& path) const override;

    // As Decode, reporting progress: the plug-ins' steps, then ("Loaded Graphic", 100).
    static Bitmap LoadFromFile(const std::string& path, const ProgressHandler& progress);
    // The picture in memory `bytes`, named `name` (its extension chooses the order as above).
    static Bitmap LoadFromMemory(std::span<const std::uint8_t> bytes, const QString& name,
                                 const ProgressHandler& progress);
};

// Percent of a plug-in's progress: nNum of nDenom mapped onto 2..99, kept to 8 bits.
int ProgressPercent(int32_t num, int32_t denom);

}  // namespace pictavo
