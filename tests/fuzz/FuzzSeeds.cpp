// Writes the seeds that the harnesses start from into FOLDER/<harness>/: small pictures of every
// layout the readers know, made by the picture writers, and settings files.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "PictureWriters.h"
#include "config/SettingsFile.h"
#include "platform/TextFile.h"

using namespace pictavo;

namespace {

std::filesystem::path root;

void Seed(const char* harness, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(root / harness);
    WriteBytes((root / harness / name).string(), bytes);
}

Bytes Cut(Bytes bytes, std::size_t keep) {
    bytes.resize(std::min(keep, bytes.size()));
    return bytes;
}

Colours Values(int count, std::uint32_t mask) {
    Colours v;
    for (int i = 0; i < count; ++i) v.push_back((static_cast<std::uint32_t>(i) * 0x9E3779B1u) & mask);
    return v;
}

void BmpSeeds() {
    constexpr int w = 7, h = 3;
    const Colours grey{0x000000, 0x808080, 0xFFFFFF, 0xFF0000};
    for (const int bits : {1, 4, 8}) {
        const Bytes pixels = PackBmpRows(Values(w * h, (1u << bits) - 1), w, bits, false);
        Seed("bmp", "indexed" + std::to_string(bits),
             MakeBmp({.width = w, .height = h, .bits = bits, .palette = grey, .pixels = pixels}));
        Seed("bmp", "core" + std::to_string(bits),
             MakeBmp({.headerSize = 12,
                      .width = w,
                      .height = h,
                      .bits = bits,
                      .palette = grey,
                      .pixels = pixels}));
    }
    Seed("bmp", "rgb24-topdown",
         MakeBmp({.width = w, .height = -h, .pixels = PackBmpRows(Values(w * h, 0xFFFFFF), w, 24, true)}));
    Seed("bmp", "rgb16",
         MakeBmp({.width = w,
                  .height = h,
                  .bits = 16,
                  .pixels = PackBmpRows(Values(w * h, 0xFFFF), w, 16, false)}));
    Seed("bmp", "fields565",
         MakeBmp({.width = w,
                  .height = h,
                  .bits = 16,
                  .compression = 3,
                  .masks = {0xF800, 0x07E0, 0x001F},
                  .pixels = PackBmpRows(Values(w * h, 0xFFFF), w, 16, false)}));
    Seed("bmp", "v5-alpha32",
         MakeBmp({.headerSize = 124,
                  .width = w,
                  .height = h,
                  .bits = 32,
                  .compression = 3,
                  .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                  .pixels = PackBmpRows(Values(w * h, 0xFFFFFFFF), w, 32, false)}));
    // Runs, a literal run with padding, a move, end of line and end of picture.
    const Bytes rle8{3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1};
    const Bytes rle4{4, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 2, 2, 0, 3, 0x9A, 0, 1};
    Seed("bmp", "rle8",
         MakeBmp({.width = w, .height = h, .bits = 8, .compression = 1, .palette = grey, .pixels = rle8}));
    Seed("bmp", "rle4",
         MakeBmp({.width = w, .height = h, .bits = 4, .compression = 2, .palette = grey, .pixels = rle4}));
}

void GifSeeds() {
    const Colours colours{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    GifParts gif{.width = 8, .height = 6, .colours = colours, .loopCount = 0};
    for (int disposal = 0; disposal < 4; ++disposal)
        gif.frames.push_back({.left = disposal,
                              .top = disposal % 3,
                              .width = 4,
                              .height = 3,
                              .interlace = disposal == 2,
                              .disposal = disposal,
                              .delayCs = 5,
                              .transparent = disposal == 1 ? 0 : -1,
                              .localColours = disposal == 3 ? Colours{0xFFFFFF, 0x123456} : Colours{},
                              .indexes = Bytes(12, static_cast<std::uint8_t>(disposal % 2 + 1))});
    // A frame reaching past the right and bottom edges.
    gif.frames.push_back({.left = 6, .top = 4, .width = 5, .height = 4, .indexes = Ramp(20)});
    for (std::uint8_t& index : gif.frames.back().indexes) index &= 3;
    Seed("gif", "frames", MakeGif(gif));
    gif.trailer = false;
    Seed("gif", "no-trailer", MakeGif(gif));
    gif.keptGlobalColours = 0;
    gif.trailer = true;
    Seed("gif", "no-global-map", MakeGif(gif));
}

void JpegSeeds() {
    constexpr int w = 16, h = 8;
    Seed("jpeg", "baseline", MakeJpeg({.width = w, .height = h, .samples = Ramp(w * h * 3)}));
    Seed("jpeg", "grey",
         MakeJpeg({.width = w,
                   .height = h,
                   .input = JCS_GRAYSCALE,
                   .stored = JCS_GRAYSCALE,
                   .samples = Ramp(w * h)}));
    Seed("jpeg", "cmyk",
         MakeJpeg(
             {.width = w, .height = h, .input = JCS_CMYK, .stored = JCS_YCCK, .samples = Ramp(w * h * 4)}));
    const Bytes progressive =
        MakeJpeg({.width = w, .height = h, .progressive = true, .samples = Ramp(w * h * 3)});
    Seed("jpeg", "progressive", progressive);
    Seed("jpeg", "progressive-cut", Cut(progressive, progressive.size() / 2));
}

void PngSeeds() {
    constexpr int w = 5, h = 3;
    struct Kind {
        const char* name;
        int colorType, depth, channels;
    };
    for (const Kind& k : {Kind{"grey1", 0, 1, 1}, Kind{"grey16", 0, 16, 1}, Kind{"rgb8", 2, 8, 3},
                          Kind{"palette4", 3, 4, 1}, Kind{"greyalpha8", 4, 8, 2}, Kind{"rgba16", 6, 16, 4}}) {
        const std::size_t rowBytes = (static_cast<std::size_t>(w) * k.depth * k.channels + 7) / 8;
        const Bytes png = MakePng({.width = w,
                                   .height = h,
                                   .colorType = k.colorType,
                                   .depth = k.depth,
                                   .interlace = k.depth == 16,
                                   .samples = Ramp(rowBytes * h),
                                   .palette = k.colorType == 3 ? Values(16, 0xFFFFFF) : Colours{},
                                   .alphas = k.colorType == 3 ? Bytes{0, 128} : Bytes{},
                                   .transparentGrey = k.colorType == 0 ? 1 : -1});
        Seed("png", k.name, png);
        if (k.depth == 16) Seed("png", std::string(k.name) + "-cut", Cut(png, png.size() - 20));
    }
}

void SettingsSeeds() {
    const QByteArray defaults =
        JoinLinesCrLf(SettingsToIni(SettingsFromIni({}, {1920, 1080}, "/p")).ToLines());
    Seed("ini", "defaults", Bytes(defaults.begin(), defaults.end()));
    const QByteArray odd =
        "; comment\r\n[system]\r\n left = 0x10 \r\nTop=$FFFFFFFF\r\nTop=3\r\n[Key]\nNextKey=-1\n"
        "[Extention]\n.jpg\nExt[1]= .PNG\n[\x83\x65\x83\x58\x83\x67]\nx=\x93\xfa\x96\x7b\n";
    Seed("ini", "hand-made", Bytes(odd.begin(), odd.end()));
    int n = 0;
    for (const std::string number :
         {"0x7fffffff", "-2147483648", "$FFFFFFFF", "+12", "2147483648", "0X", " 7"}) {
        Seed("keys", "number" + std::to_string(++n), Bytes(number.begin(), number.end()));
        // Two bytes of key code and eight of Qt key and modifiers ahead of the number.
        const std::string keyed = std::string("\x27\0\x14\0\0\x01\0\0\0\x20", 10) + number;
        Seed("keys", "keyed" + std::to_string(n), Bytes(keyed.begin(), keyed.end()));
    }
}

// List files: CR LF with empty items, LF only, lone CR without a last break, Shift-JIS, a mark.
void ListFileSeeds() {
    const std::pair<const char*, std::string> lists[] = {
        {"crlf", "/p/a.jpg\r\n\r\n/p/b.png\r\n"},
        {"lf", "/p/a.jpg\n/p/b.png\n"},
        {"cr-unfinished", "/p/a.jpg\r/p/b.png"},
        {"cp932", "/\x8e\xca\x90\x5e/a.jpg\r\n"},
        {"utf8-mark", "\xEF\xBB\xBF/\xE5\x86\x99/a.jpg\r\n"}};
    for (const auto& [name, text] : lists) Seed("listfile", name, Bytes(text.begin(), text.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    root = argv[1];
    try {
        BmpSeeds();
        GifSeeds();
        JpegSeeds();
        PngSeeds();
        ListFileSeeds();
        SettingsSeeds();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
