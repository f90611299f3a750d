#include "decode/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "decode/DecodeErrors.h"
#include "decode/PictureFile.h"

namespace pictavo {

namespace {

// libjpeg reports errors through error_exit, which must not return: it jumps back to the
// leaf function that called into the library. Everything with a destructor lives in the
// C++ caller, never in a frame that the jump skips.
struct JpegSession {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
    bool created = false;

    JpegSession() = default;
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;
    ~JpegSession() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

JpegSession& SessionOf(j_common_ptr common) {
    return *static_cast<JpegSession*>(common->client_data);
}

extern "C" void OnJpegError(j_common_ptr common) {
    JpegSession& s = SessionOf(common);
    (*common->err->format_message)(common, s.message);
    std::longjmp(s.jump, 1);
}

// Warnings and traces stay silent, except running out of data: a truncated picture is a
// failure, not a grey lower half.
extern "C" void OnJpegMessage(j_common_ptr common, int level) {
    if (level < 0 && common->err->msg_code == JWRN_JPEG_EOF) OnJpegError(common);
}

extern "C" void OnJpegOutput(j_common_ptr) {}

extern "C" void OnJpegProgress(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > kMaxJpegScans) {
        JpegSession& s = SessionOf(common);
        std::snprintf(s.message, sizeof s.message, "more than %d progressive scans", kMaxJpegScans);
        std::longjmp(s.jump, 1);
    }
}

// The leaf functions: each holds the only setjmp and nothing that needs destroying.
// Reads from `file` when given, otherwise from the `size` bytes at `data`.
bool CreateJpeg(JpegSession& s, std::FILE* file, const std::uint8_t* data, std::size_t size) {
    if (setjmp(s.jump)) return false;
    jpeg_create_decompress(&s.info);
    s.created = true;
    // Creation clears everything but the error manager and client data: hooks come after.
    s.progress.progress_monitor = OnJpegProgress;
    s.info.progress = &s.progress;
    s.info.mem->max_memory_to_use = kMaxJpegWorkBytes;
    if (file)
        jpeg_stdio_src(&s.info, file);
    else
        jpeg_mem_src(&s.info, data, static_cast<unsigned long>(size));
    return true;
}

bool ReadJpegHeader(JpegSession& s) {
    if (setjmp(s.jump)) return false;
    jpeg_read_header(&s.info, TRUE);
    return true;
}

bool StartJpeg(JpegSession& s) {
    if (setjmp(s.jump)) return false;
    jpeg_start_decompress(&s.info);
    return true;
}

bool ReadJpegRows(JpegSession& s, JSAMPROW* rows) {
    if (setjmp(s.jump)) return false;
    while (s.info.output_scanline < s.info.output_height) {
        const JDIMENSION at = s.info.output_scanline;
        jpeg_read_scanlines(&s.info, rows + at, s.info.output_height - at);
    }
    return true;
}

bool ReadJpegRow(JpegSession& s, JSAMPROW row) {
    if (setjmp(s.jump)) return false;
    jpeg_read_scanlines(&s.info, &row, 1);
    return true;
}

[[noreturn]] void Fail(const JpegSession& s) {
    throw EJpegDecode(std::string("JPEG: ") + s.message);
}

void Check(bool ok, const JpegSession& s) {
    if (!ok) Fail(s);
}

void Prepare(JpegSession& s) {
    s.info.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = OnJpegError;
    s.errors.emit_message = OnJpegMessage;
    s.errors.output_message = OnJpegOutput;
    s.info.client_data = &s;
}

// Photoshop writes CMYK inverted (and says so with its Adobe marker); others write it plain.
void CmykRowToBgra(const std::uint8_t* cmyk, std::uint8_t* o, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, o += 4) {
        const unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
        const unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
        const unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        o[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        o[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        o[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
        o[3] = 255;
    }
}

void ReadCmyk(JpegSession& s, Bitmap& target) {
    const int width = static_cast<int>(s.info.output_width);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    const bool inverted = s.info.saw_Adobe_marker;
    while (s.info.output_scanline < s.info.output_height) {
        const int y = static_cast<int>(s.info.output_scanline);
        Check(ReadJpegRow(s, row.data()), s);
        CmykRowToBgra(row.data(), target.Row(y), width, inverted);
    }
}

void DecodeSession(JpegSession& s, Bitmap& target) {
    Check(ReadJpegHeader(s), s);
    CheckPictureSize<EJpegDecode>(s.info.image_width, s.info.image_height, "JPEG");
    const bool cmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
    s.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    Check(StartJpeg(s), s);
    const int width = static_cast<int>(s.info.output_width);
    const int height = static_cast<int>(s.info.output_height);
    // Both conversions write every byte of every row (32-bit rows have no padding).
    if (!target.Data() || target.Width() != width || target.Height() != height || target.BitsPerPixel() != 32)
        target = Bitmap::ForOverwrite(width, height, 32);
    if (cmyk) {
        ReadCmyk(s, target);
    } else {
        std::vector<JSAMPROW> rows(static_cast<std::size_t>(height));
        for (int y = 0; y < height; ++y) rows[static_cast<std::size_t>(y)] = target.Row(y);
        Check(ReadJpegRows(s, rows.data()), s);
    }
    target.MarkOpaque();  // every row was read, and both conversions write 255
    // jpeg_finish_decompress is left out on purpose: it would only read up to the end
    // marker, and a file that lacks nothing but that marker is still a whole picture.
}

}  // namespace

void JpegDecoder::DecodeInto(std::span<const std::uint8_t> bytes, Bitmap& target) {
    TranslateDecodeFailures([&] {
        if (bytes.empty()) throw EJpegDecode("JPEG: the file is empty");
        JpegSession s;
        Prepare(s);
        Check(CreateJpeg(s, nullptr, bytes.data(), bytes.size()), s);
        DecodeSession(s, target);
    });
}

void JpegDecoder::DecodeFileInto(const std::string& path, Bitmap& target) {
    TranslateDecodeFailures([&] {
        const FilePtr file = OpenPictureFile(path).file;
        JpegSession s;
        Prepare(s);
        Check(CreateJpeg(s, file.get(), nullptr, 0), s);
        DecodeSession(s, target);
    });
}

Bitmap JpegDecoder::Decode(const std::string& path) const {
    Bitmap picture;
    DecodeFileInto(path, picture);
    return picture;
}

}  // namespace pictavo
