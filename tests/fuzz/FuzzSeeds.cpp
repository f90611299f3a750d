// Writes the seeds that the harnesses start from into FOLDER/<harness>/: small pictures of every
// layout the readers know, made by the picture writers, settings files and numbers.
#include <filesystem>
#include <stdexcept>

#include "ArchiveMaker.h"
#include "PictureWriters.h"
#include "config/SettingsFile.h"
#include "platform/TextFile.h"

using namespace pictavo;

namespace {

std::filesystem::path root;

template <class Container>
void Seed(const char* harness, const std::string& name, const Container& bytes, std::size_t keep = SIZE_MAX) {
    std::filesystem::create_directories(root / harness);
    WriteBytes((root / harness / name).string(),
               Bytes(bytes.begin(),
                     bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(keep, bytes.size()))));
}

Colours Values(int count, std::uint32_t mask) {
    Colours v;
    for (int i = 0; i < count; ++i) v.push_back((static_cast<std::uint32_t>(i) * 0x9E3779B1u) & mask);
    return v;
}

void PictureSeeds() {
    constexpr int w = 7, h = 3;
    const Colours grey{0x000000, 0x808080, 0xFFFFFF, 0xFF0000};
    for (const int bits : {1, 4, 8})
        for (const std::uint32_t header : {12u, 40u}) {
            const Bytes pixels = PackBmpRows(Values(w * h, (1u << bits) - 1), w, bits, false);
            Seed("bmp", "indexed" + std::to_string(bits) + "-" + std::to_string(header),
                 MakeBmp({header, w, h, bits, 0, {}, grey, 0, pixels}));
        }
    Seed("bmp", "rgb24-topdown",
         MakeBmp({40, w, -h, 24, 0, {}, {}, 0, PackBmpRows(Values(w * h, 0xFFFFFF), w, 24, true)}));
    const Bytes rows16 = PackBmpRows(Values(w * h, 0xFFFF), w, 16, false);
    Seed("bmp", "rgb16", MakeBmp({40, w, h, 16, 0, {}, {}, 0, rows16}));
    Seed("bmp", "fields565", MakeBmp({40, w, h, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, 0, rows16}));
    Seed("bmp", "no-green", MakeBmp({40, w, h, 16, 3, {0xF800, 0, 0x001F}, {}, 0, rows16}));  // once fatal
    const Colours alphaMasks{0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    const Bytes rows32 = PackBmpRows(Values(w * h, 0xFFFFFFFF), w, 32, false);
    Seed("bmp", "v5-alpha32", MakeBmp({124, w, h, 32, 3, alphaMasks, {}, 0, rows32}));
    // Runs, a literal run with padding, a move, end of line and end of picture.
    const Bytes rle8{3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1};
    Seed("bmp", "rle8", MakeBmp({40, w, h, 8, 1, {}, grey, 0, rle8}));
    const Bytes rle4{4, 0x12, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 2, 2, 0, 3, 0x9A, 0, 1};
    Seed("bmp", "rle4", MakeBmp({40, w, h, 4, 2, {}, grey, 0, rle4}));

    // Every disposal, transparency, interlacing, a local map and a frame past the screen's edges.
    GifParts gif{8, 6, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF}, 0};
    for (int d = 0; d < 4; ++d)
        gif.frames.push_back({d, d % 3, 4, 3, d == 2, d, 5, d == 1 ? 0 : -1,
                              d == 3 ? Colours{0xFFFFFF, 0x123456} : Colours{},
                              Bytes(12, static_cast<std::uint8_t>(d % 2 + 1))});
    gif.frames.push_back({6, 4, 5, 4, false, 0, 0, -1, {}, Bytes(20, 2)});
    Seed("gif", "frames", MakeGif(gif));
    gif.trailer = false;
    Seed("gif", "no-trailer", MakeGif(gif));
    gif.keptGlobalColours = 0;
    Seed("gif", "no-global-map", MakeGif(gif));

    Seed("jpeg", "baseline", MakeJpeg({16, 8, JCS_RGB, JCS_YCbCr, false, false, Ramp(16 * 8 * 3)}));
    Seed("jpeg", "grey", MakeJpeg({16, 8, JCS_GRAYSCALE, JCS_GRAYSCALE, false, false, Ramp(16 * 8)}));
    Seed("jpeg", "ycck", MakeJpeg({16, 8, JCS_CMYK, JCS_YCCK, false, false, Ramp(16 * 8 * 4)}));
    const Bytes progressive = MakeJpeg({16, 8, JCS_RGB, JCS_YCbCr, true, false, Ramp(16 * 8 * 3)});
    Seed("jpeg", "progressive", progressive);
    Seed("jpeg", "progressive-cut", progressive, progressive.size() / 2);

    // Colour types: grey, RGB, palette, grey with alpha, RGBA (16-bit ones interlaced and cut).
    for (const auto& [type, depth, channels] :
         {std::tuple{0, 1, 1}, {0, 16, 1}, {2, 8, 3}, {3, 4, 1}, {4, 8, 2}, {6, 16, 4}}) {
        const Bytes png = MakePng({5, 3, type, depth, depth == 16, Ramp((5 * depth * channels + 7) / 8 * 3),
                                   type == 3 ? Values(16, 0xFFFFFF) : Colours{},
                                   type == 3 ? Bytes{0, 128} : Bytes{}, type == 0 ? 1 : -1});
        const std::string name = std::to_string(type) + "-" + std::to_string(depth);
        Seed("png", name, png);
        if (depth == 16) Seed("png", name + "-cut", png, png.size() - 20);
    }
}

void TextSeeds() {
    Seed("ini", "defaults", JoinLinesCrLf(SettingsToIni(SettingsFromIni({}, {1920, 1080}, "/p")).ToLines()));
    Seed("ini", "hand-made",
         QByteArray("; comment\r\n[system]\r\n left = 0x10 \r\nTop=$FFFFFFFF\r\nTop=3\r\n"
                    "[Key]\nNextKey=-1\n[Extention]\n.jpg\nExt[1]= .PNG\n"
                    "[\x83\x65\x83\x58\x83\x67]\nx=\x93\xfa\x96\x7b\n"));
    // Numbers alone, and after two bytes of key code and eight of Qt key and modifiers.
    for (const std::string number : {"0x7fffffff", "-2147483648", "$FFFFFFFF", "2147483648", " 7"}) {
        Seed("keys", "number" + number, number);
        Seed("keys", "keyed" + number, std::string("\x27\0\x14\0\0\x01\0\0\0\x20", 10) + number);
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

// Every kind the modules read, each with a nested member, a member that climbs out and a link
// (the formats that cannot hold one leave it out).
void ArchiveSeeds() {
    using test::Format;
    using test::Member;
    const std::vector<Member> members{
        {"a/p.jpg", "\xFF\xD8\xFF"}, {"../x.jpg", "x"}, {"l.jpg", "", Member::Symlink, "/etc"}};
    const std::pair<Format, const char*> kinds[] = {
        {Format::Zip, "zip"},   {Format::SevenZip, "7z"}, {Format::Tar, "tar"},
        {Format::TarGz, "tgz"}, {Format::Cpio, "cpio"},   {Format::LoneGz, "jpg.gz"},
        {Format::Lha, "lzh"},   {Format::Cab, "cab"},     {Format::Rar, "rar"}};
    std::filesystem::create_directories(root / "archive");
    for (const auto& [format, extension] : kinds) {
        const bool plainFiles = format == Format::Lha || format == Format::Cab || format == Format::Rar;
        const std::vector<Member> seed = plainFiles ? std::vector<Member>{members[0]} : members;
        test::WriteArchive((root / "archive" / (std::string("seed.") + extension)).string(), format, seed);
    }
}

// A failure ends the program with its message, and the build step that runs it with it.
int main(int argc, char** argv) {
    root = argc == 2 ? argv[1] : throw std::invalid_argument("usage: fuzz_seeds_writer FOLDER");
    PictureSeeds();
    TextSeeds();
    ListFileSeeds();
    ArchiveSeeds();
}
