#include "platform/CodePage.h"

#include <iconv.h>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <vector>

namespace pictavo {
namespace {

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert from CP932");
        }
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

// Length of the UTF-8 sequence that starts with `lead`, 0 for a byte that cannot start one.
int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The second byte has a narrower range after some lead bytes (overlong forms, surrogates,
// code points above U+10FFFF).
bool SecondByteFits(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0 && second <= 0xBF;
        case 0xED:
            return second >= 0x80 && second <= 0x9F;
        case 0xF0:
            return second >= 0x90 && second <= 0xBF;
        case 0xF4:
            return second >= 0x80 && second <= 0x8F;
        default:
            return second >= 0x80 && second <= 0xBF;
    }
}

// Index where a valid UTF-8 prefix ends that may only be followed by an incomplete tail;
// -1 when an invalid sequence stands before the end.
qsizetype ValidUtf8Length(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const int length = Utf8SequenceLength(data[i]);
        if (length == 0) return -1;
        for (int k = 1; k < length; ++k) {
            if (i + k >= size) return i;  // cut off inside the last character
            const bool fits = k == 1 ? SecondByteFits(data[i], data[i + 1]) : (data[i + k] & 0xC0) == 0x80;
            if (!fits) return -1;
        }
        i += length;
    }
    return i;
}

}  // namespace

QString DecodeCp932(const QByteArray& bytes) {
    IconvHandle converter("UTF-8", "CP932");
    // One CP932 byte or byte pair never needs more than three UTF-8 bytes.
    std::vector<char> out(static_cast<std::size_t>(bytes.size()) * 3 + 4);
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    static const char kReplacement[] = "\xEF\xBF\xBD";
    while (inLeft > 0) {
        if (iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG || outLeft < 3) break;  // cannot happen with the size above
        // EILSEQ or EINVAL (a lead byte at the very end): mark it and step over one byte.
        std::copy(kReplacement, kReplacement + 3, outPtr);
        outPtr += 3;
        outLeft -= 3;
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out.data(), outPtr - out.data());
}

QString DecodeText(const QByteArray& bytes) {
    const qsizetype valid = ValidUtf8Length(bytes);
    if (valid < 0) return DecodeCp932(bytes);
    QByteArrayView text(bytes.constData(), valid);
    if (text.startsWith("\xEF\xBB\xBF")) text = text.sliced(3);
    // Exactly one mark goes: QString::fromUtf8 would drop a second one, and with it the first
    // character of a text that really begins with U+FEFF.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(text);
}

}  // namespace pictavo
