#include "decode/BmpRle.h"

#include <algorithm>

#include "decode/DecodeErrors.h"

namespace pictavo {

namespace {

// Pixel position while expanding; rows count from the bottom as stored.
class RleCursor {
public:
    RleCursor(Bitmap& out) : out_(out) {}

    bool Finished() const { return y_ >= out_.Height(); }
    void EndOfLine() {
        x_ = 0;
        ++y_;
    }
    void Move(int dx, int dy) {
        x_ += dx;
        y_ += dy;
    }
    // Writes `count` pixels whose index the callback gives (by position in the run).
    template <class IndexAt>
    void Put(int count, IndexAt indexAt) {
        if (!Finished() && x_ < out_.Width()) {
            std::uint8_t* row = out_.Row(out_.Height() - 1 - static_cast<int>(y_));
            const int n = static_cast<int>(std::min<std::int64_t>(count, out_.Width() - x_));
            for (int i = 0; i < n; ++i) row[x_ + i] = indexAt(i);
        }
        x_ += count;
    }

private:
    Bitmap& out_;
    // 64-bit because hostile runs may push far past the edge before a row ends.
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

[[noreturn]] void Truncated() {
    throw EBmpDecode("BMP: run-length data is truncated");
}

}  // namespace

void ExpandBmpRle(std::span<const std::uint8_t> b, const BmpLayout& layout, Bitmap& indexes) {
    const bool four = layout.compression == kBmpRle4;
    RleCursor cursor(indexes);
    std::size_t at = 0;
    while (!cursor.Finished()) {
        if (b.size() - at < 2) Truncated();
        const int count = b[at];
        const std::uint8_t code = b[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: RLE4 alternates the two nibbles of the code byte.
            const std::uint8_t hi = code >> 4, lo = code & 0x0F;
            if (four)
                cursor.Put(count, [&](int i) { return (i & 1) ? lo : hi; });
            else
                cursor.Put(count, [&](int) { return code; });
        } else if (code == 0) {
            cursor.EndOfLine();
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            if (b.size() - at < 2) Truncated();
            cursor.Move(b[at], b[at + 1]);
            at += 2;
        } else {
            // A literal run of `code` pixels, padded to a 16-bit boundary.
            const std::size_t bytes = four ? (code + 1u) / 2 : code;
            if (b.size() - at < bytes) Truncated();
            const std::uint8_t* p = b.data() + at;
            if (four)
                cursor.Put(code, [&](int i) { return (i & 1) ? p[i / 2] & 0x0F : p[i / 2] >> 4; });
            else
                cursor.Put(code, [&](int i) { return p[i]; });
            at += (bytes + 1) & ~std::size_t{1};
            if (at > b.size()) at = b.size();
        }
    }
}

}  // namespace pictavo
