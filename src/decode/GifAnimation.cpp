#include "decode/GifAnimation.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include <gif_lib.h>

#include "decode/DecodeErrors.h"
#include "decode/PictureFile.h"

namespace pictavo {

static_assert(std::endian::native == std::endian::little, "BGRA pixels are written as 32-bit words");

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000;

// Where the bytes come from: a file read as frames are asked for, or a block in memory.
struct GifSource {
    FilePtr file;
    std::vector<std::uint8_t> bytes;
    std::size_t at = 0;

    int Read(GifByteType* out, int count) {
        if (count <= 0) return 0;
        if (file) return static_cast<int>(std::fread(out, 1, static_cast<std::size_t>(count), file.get()));
        const std::size_t n = std::min(static_cast<std::size_t>(count), bytes.size() - at);
        if (n == 0) return 0;  // an empty vector has no data pointer to copy from
        std::memcpy(out, bytes.data() + at, n);
        at += n;
        return static_cast<int>(n);
    }
    void Restart() {
        at = 0;
        if (file && std::fseek(file.get(), 0, SEEK_SET) != 0)
            throw EPictureFile("GIF: cannot read the file again");
    }
};

extern "C" int OnGifRead(GifFileType* gif, GifByteType* out, int count) {
    return static_cast<GifSource*>(gif->UserData)->Read(out, count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifPtr = std::unique_ptr<GifFileType, GifCloser>;

[[noreturn]] void Fail(int code, const char* what) {
    const char* text = GifErrorString(code);
    throw EGifDecode(std::string("GIF: ") + what + ": " + (text ? text : "unknown error"));
}

// A rectangle of the screen, already clipped to it; empty when x0 >= x1 or y0 >= y1.
struct Area {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// The graphic control extension that precedes a frame.
struct FrameControl {
    int disposal = DISPOSAL_UNSPECIFIED;
    int delayCs = 0;
    int transparent = NO_TRANSPARENT_COLOR;
};

}  // namespace

struct GifAnimation::State {
    GifSource source;
    GifPtr gif;
    Bitmap canvas;
    std::vector<GifPixelType> line;
    std::vector<std::uint8_t> saved;  // the area under a restore-to-previous frame
    Area pendingArea;
    int pendingDisposal = DISPOSAL_UNSPECIFIED;
    int frameIndex = -1;
    int delayMs = 0;
    int loopCount = kGifPlayOnce;
    bool finished = false;
    std::int64_t work = 0;
    std::uint32_t colours[256] = {};

    void Open();
    bool Next();
    void ReadExtension(FrameControl& control);
    void DrawImage(const FrameControl& control);
    void DecodeRows(const Area& area, int transparent);
    void Dispose();
    void Save(const Area& area);
    void Restore(const Area& area);
    void BuildColours(const ColorMapObject* map);
};

void GifAnimation::State::Open() {
    int error = 0;
    gif.reset(DGifOpen(&source, OnGifRead, &error));
    if (!gif) Fail(error, "not a readable GIF file");
    CheckPictureSize<EGifDecode>(gif->SWidth, gif->SHeight, "GIF");
    // A canvas handed out by TakeFrame() has no pixels left, whatever its size says.
    if (!canvas.Data() || canvas.Width() != gif->SWidth || canvas.Height() != gif->SHeight)
        canvas = Bitmap(gif->SWidth, gif->SHeight, 32);
    else
        std::memset(canvas.Data(), 0, canvas.ByteSize());
    pendingDisposal = DISPOSAL_UNSPECIFIED;
    frameIndex = -1;
    delayMs = 0;
    finished = false;
    work = 0;
}

bool GifAnimation::State::Next() {
    if (finished) return false;
    FrameControl control;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
            // Whole frames followed by a missing trailer: the picture ends there.
            if (frameIndex >= 0 && gif->Error == D_GIF_ERR_READ_FAILED) break;
            Fail(gif->Error, "broken record");
        }
        if (type == TERMINATE_RECORD_TYPE) break;
        if (type == EXTENSION_RECORD_TYPE) {
            ReadExtension(control);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            DrawImage(control);
            return true;
        }
    }
    finished = true;
    return false;
}

void GifAnimation::State::ReadExtension(FrameControl& control) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) Fail(gif->Error, "broken extension");
    bool looping = false;
    if (block && code == GRAPHICS_EXT_FUNC_CODE && block[0] >= 4) {
        control.disposal = (block[1] >> 2) & 7;
        control.delayCs = block[2] | (block[3] << 8);
        control.transparent = (block[1] & 1) ? block[4] : NO_TRANSPARENT_COLOR;
    } else if (block && code == APPLICATION_EXT_FUNC_CODE && block[0] == 11) {
        looping =
            std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 || std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0;
    }
    while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) Fail(gif->Error, "broken extension");
        // The looping sub-block: 1, then the repeat count (little-endian).
        if (looping && block && block[0] >= 3 && block[1] == 1) loopCount = block[2] | (block[3] << 8);
        looping = false;
    }
}

void GifAnimation::State::BuildColours(const ColorMapObject* map) {
    // Indexes beyond the colour map, and every index of a frame that has no map at all,
    // are drawn black rather than left as whatever the last map held.
    std::fill(std::begin(colours), std::end(colours), kOpaqueBlack);
    if (!map || !map->Colors) return;
    const int count = std::min(map->ColorCount, 256);
    for (int i = 0; i < count; ++i) {
        const GifColorType& c = map->Colors[i];
        colours[i] = kOpaqueBlack | (std::uint32_t{c.Red} << 16) | (std::uint32_t{c.Green} << 8) | c.Blue;
    }
}

void GifAnimation::State::DrawImage(const FrameControl& control) {
    if (DGifGetImageHeader(gif.get()) == GIF_ERROR) Fail(gif->Error, "broken frame header");
    const GifImageDesc& d = gif->Image;
    CheckPictureSize<EGifDecode>(d.Width, d.Height, "GIF frame");
    work += std::int64_t{d.Width} * d.Height + std::int64_t{canvas.Width()} * canvas.Height();
    if (work > kMaxGifWorkPixels)
        throw EPictureTooLarge("GIF: the frames ask for more than " + std::to_string(kMaxGifWorkPixels) +
                               " pixels of work");
    Dispose();
    const Area area{std::max(d.Left, 0), std::max(d.Top, 0), std::min(d.Left + d.Width, canvas.Width()),
                    std::min(d.Top + d.Height, canvas.Height())};
    if (control.disposal == DISPOSE_PREVIOUS) Save(area);
    BuildColours(d.ColorMap ? d.ColorMap : gif->SColorMap);
    DecodeRows(area, control.transparent);
    pendingDisposal = control.disposal;
    pendingArea = area;
    delayMs = control.delayCs * 10;
    ++frameIndex;
}

void GifAnimation::State::DecodeRows(const Area& area, int transparent) {
    const GifImageDesc& d = gif->Image;
    line.resize(static_cast<std::size_t>(d.Width));
    // Interlaced frames arrive in four passes: every 8th row from 0, every 8th from 4,
    // every 4th from 2, every 2nd from 1.
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    const int passes = d.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = d.Interlace ? kStart[pass] : 0;
        const int step = d.Interlace ? kStep[pass] : 1;
        for (int r = start; r < d.Height; r += step) {
            if (DGifGetLine(gif.get(), line.data(), d.Width) == GIF_ERROR)
                Fail(gif->Error, "broken frame data");
            const int y = d.Top + r;
            if (y < area.y0 || y >= area.y1) continue;
            std::uint8_t* out = canvas.Row(y);
            for (int x = area.x0; x < area.x1; ++x) {
                const GifPixelType index = line[static_cast<std::size_t>(x - d.Left)];
                if (index != transparent) std::memcpy(out + x * 4, &colours[index], 4);
            }
        }
    }
}

void GifAnimation::State::Dispose() {
    if (pendingArea.Empty()) return;
    if (pendingDisposal == DISPOSE_BACKGROUND) {
        // Disposed to the background: transparent, so the viewer's own background shows.
        for (int y = pendingArea.y0; y < pendingArea.y1; ++y)
            std::memset(canvas.Row(y) + pendingArea.x0 * 4, 0,
                        static_cast<std::size_t>(pendingArea.x1 - pendingArea.x0) * 4);
    } else if (pendingDisposal == DISPOSE_PREVIOUS) {
        Restore(pendingArea);
    }
    pendingDisposal = DISPOSAL_UNSPECIFIED;
}

void GifAnimation::State::Save(const Area& area) {
    if (area.Empty()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(area.x1 - area.x0) * 4;
    saved.resize(rowBytes * static_cast<std::size_t>(area.y1 - area.y0));
    for (int y = area.y0; y < area.y1; ++y)
        std::memcpy(saved.data() + (y - area.y0) * rowBytes, canvas.Row(y) + area.x0 * 4, rowBytes);
}

void GifAnimation::State::Restore(const Area& area) {
    const std::size_t rowBytes = static_cast<std::size_t>(area.x1 - area.x0) * 4;
    for (int y = area.y0; y < area.y1; ++y)
        std::memcpy(canvas.Row(y) + area.x0 * 4, saved.data() + (y - area.y0) * rowBytes, rowBytes);
}

GifAnimation::GifAnimation(const std::string& path) : state_(std::make_unique<State>()) {
    TranslateDecodeFailures([&] {
        state_->source.file = OpenPictureFile(path).file;
        state_->Open();
    });
}

GifAnimation::GifAnimation(std::vector<std::uint8_t> bytes) : state_(std::make_unique<State>()) {
    state_->source.bytes = std::move(bytes);
    TranslateDecodeFailures([&] { state_->Open(); });
}

GifAnimation::~GifAnimation() = default;
GifAnimation::GifAnimation(GifAnimation&&) noexcept = default;
GifAnimation& GifAnimation::operator=(GifAnimation&&) noexcept = default;

int GifAnimation::Width() const {
    return state_->canvas.Width();
}
int GifAnimation::Height() const {
    return state_->canvas.Height();
}
bool GifAnimation::NextFrame() {
    return TranslateDecodeFailures([&] { return state_->Next(); });
}
const Bitmap& GifAnimation::Frame() const {
    return state_->canvas;
}
Bitmap GifAnimation::TakeFrame() {
    return std::move(state_->canvas);
}
int GifAnimation::FrameIndex() const {
    return state_->frameIndex;
}
int GifAnimation::DelayMs() const {
    return state_->delayMs;
}
int GifAnimation::LoopCount() const {
    return state_->loopCount;
}

void GifAnimation::Rewind() {
    TranslateDecodeFailures([&] {
        state_->gif.reset();
        state_->source.Restart();
        state_->Open();
    });
}

}  // namespace pictavo
