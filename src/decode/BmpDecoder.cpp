#include "decode/BmpDecoder.h"

#include <bit>
#include <cstring>

#include "decode/BmpLayout.h"
#include "decode/BmpRle.h"
#include "decode/DecodeErrors.h"
#include "decode/PictureFile.h"

namespace pictavo {

namespace {

// Stored row `r` (in file order) lands on bitmap row Target(r).
int TargetRow(const BmpLayout& l, int r) {
    return l.topDown ? r : l.height - 1 - r;
}

// `pixels` below is the pixel data alone, from the layout's pixel offset on.

Bitmap UnpackIndexes(std::span<const std::uint8_t> pixels, const BmpLayout& l) {
    Bitmap out(l.width, l.height, 8);
    const int perByte = 8 / l.bits;
    const int mask = (1 << l.bits) - 1;
    for (int r = 0; r < l.height; ++r) {
        const std::uint8_t* in = pixels.data() + static_cast<std::size_t>(r) * l.stride;
        std::uint8_t* o = out.Row(TargetRow(l, r));
        if (l.bits == 8) {
            std::memcpy(o, in, static_cast<std::size_t>(l.width));
            continue;
        }
        for (int x = 0; x < l.width; ++x) {
            const int shift = 8 - l.bits * (x % perByte + 1);
            o[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
        }
    }
    out.Palette() = l.palette;
    return out;
}

// Turns one mask into a shift and a width, and a masked value into 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = 32 - std::countl_zero(m) - shift;
    }
    // A zero mask: the channel is absent and reads as 0.
    std::uint8_t Scale(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
        const std::uint32_t max = (1u << bits) - 1;
        return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    }
};

Bitmap UnpackMasked(std::span<const std::uint8_t> pixels, const BmpLayout& l) {
    Bitmap out(l.width, l.height, 32);
    const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]), alpha(l.masks[3]);
    bool anyAlpha = false;
    for (int r = 0; r < l.height; ++r) {
        const std::uint8_t* in = pixels.data() + static_cast<std::size_t>(r) * l.stride;
        std::uint8_t* o = out.Row(TargetRow(l, r));
        for (int x = 0; x < l.width; ++x, o += 4) {
            const std::uint32_t px = l.bits == 16 ? in[x * 2] | (in[x * 2 + 1] << 8)
                                                  : in[x * 4] | (in[x * 4 + 1] << 8) | (in[x * 4 + 2] << 16) |
                                                        (static_cast<std::uint32_t>(in[x * 4 + 3]) << 24);
            o[0] = blue.Scale(px);
            o[1] = green.Scale(px);
            o[2] = red.Scale(px);
            o[3] = alpha.mask ? alpha.Scale(px) : 255;
            anyAlpha |= o[3] != 0;
        }
    }
    // Many writers declare an alpha mask and leave it all zero: such a picture is opaque,
    // not invisible.
    if (alpha.mask && !anyAlpha)
        for (int y = 0; y < l.height; ++y)
            for (int x = 0; x < l.width; ++x) out.Row(y)[x * 4 + 3] = 255;
    return out;
}

// One stored 24-bit row as opaque BGRA. Every pixel but the last is read as four bytes at
// once (its own three and the next pixel's first), which keeps this loop at memory speed on
// large pictures; the last one is read byte by byte so nothing past the row is touched.
void RgbRowToBgra(const std::uint8_t* in, std::uint8_t* out, int width) {
    for (int x = 0; x + 1 < width; ++x, in += 3, out += 4) {
        std::uint32_t pixel;
        std::memcpy(&pixel, in, 4);
        pixel |= 0xFF000000u;  // little-endian: the fourth byte is alpha
        std::memcpy(out, &pixel, 4);
    }
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
    out[3] = 255;
}

void XrgbRowToBgra(const std::uint8_t* in, std::uint8_t* out, int width) {
    std::memcpy(out, in, static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x) out[x * 4 + 3] = 255;
}

Bitmap UnpackRgb(std::span<const std::uint8_t> pixels, const BmpLayout& l) {
    // 32-bit rows have no padding: the conversions below write every byte.
    Bitmap out = Bitmap::ForOverwrite(l.width, l.height, 32);
    const auto convert = l.bits == 24 ? RgbRowToBgra : XrgbRowToBgra;
    for (int r = 0; r < l.height; ++r)
        convert(pixels.data() + static_cast<std::size_t>(r) * l.stride, out.Row(TargetRow(l, r)), l.width);
    out.MarkOpaque();
    return out;
}

Bitmap IndexesToBits32(const Bitmap& indexes) {
    Bitmap out(indexes.Width(), indexes.Height(), 32);
    const auto& palette = indexes.Palette();
    for (int y = 0; y < indexes.Height(); ++y) {
        const std::uint8_t* in = indexes.Row(y);
        std::uint8_t* o = out.Row(y);
        for (int x = 0; x < indexes.Width(); ++x, o += 4) {
            const std::uint32_t c = palette[in[x]];  // the palette has 2^bits entries
            o[0] = c & 0xFF;
            o[1] = (c >> 8) & 0xFF;
            o[2] = (c >> 16) & 0xFF;
            o[3] = 255;
        }
    }
    return out;
}

Bitmap DecodeLayout(std::span<const std::uint8_t> pixels, const BmpLayout& l, BmpForm form) {
    if (l.bits > 8) {
        const bool plain = l.compression == kBmpRgb && l.bits != 16;
        return plain ? UnpackRgb(pixels, l) : UnpackMasked(pixels, l);
    }
    Bitmap indexes;
    if (l.compression == kBmpRle8 || l.compression == kBmpRle4) {
        indexes = Bitmap(l.width, l.height, 8);
        indexes.Palette() = l.palette;
        ExpandBmpRle(pixels, l, indexes);
    } else {
        indexes = UnpackIndexes(pixels, l);
    }
    return form == BmpForm::Native ? std::move(indexes) : IndexesToBits32(indexes);
}

}  // namespace

// The header is read and checked first; then only the bytes that the picture needs, so a
// huge file or a header asking for too much costs no more than its first kilobyte.
Bitmap BmpDecoder::Decode(const std::string& path) const {
    return TranslateDecodeFailures([&] {
        const RegularFile opened = OpenPictureFile(path);
        const auto size = static_cast<std::uint64_t>(opened.size);
        std::vector<std::uint8_t> bytes;
        ReadMore(opened.file.get(), std::min<std::uint64_t>(size, kBmpHeadBytes), bytes);
        const BmpLayout layout = ReadBmpLayout(bytes, size);
        const std::uint64_t needed = BmpBytesNeeded(layout, size);
        if (needed > bytes.size()) ReadMore(opened.file.get(), needed - bytes.size(), bytes);
        // A file that shrank after it was opened; short run-length data is found by the expansion.
        const bool runLength = layout.compression == kBmpRle8 || layout.compression == kBmpRle4;
        if (bytes.size() < layout.pixelOffset || (!runLength && bytes.size() < needed))
            throw EBmpDecode("BMP: pixel data is truncated");
        return DecodeLayout(std::span(bytes).subspan(layout.pixelOffset), layout, BmpForm::Bits32);
    });
}

Bitmap BmpDecoder::DecodeBytes(std::span<const std::uint8_t> bytes, BmpForm form) {
    return TranslateDecodeFailures([&] {
        const BmpLayout layout = ReadBmpLayout(bytes);
        return DecodeLayout(bytes.subspan(layout.pixelOffset), layout, form);
    });
}

Bitmap BmpDecoder::DecodeParts(std::span<const std::uint8_t> head, std::span<const std::uint8_t> pixels,
                               BmpForm form) {
    return TranslateDecodeFailures([&] {
        const BmpLayout layout = ReadBmpLayout(head, std::uint64_t{head.size()} + pixels.size());
        if (layout.pixelOffset != head.size())
            throw EBmpDecode("BMP: the pixel data does not follow the headers");
        return DecodeLayout(pixels, layout, form);
    });
}

}  // namespace pictavo
