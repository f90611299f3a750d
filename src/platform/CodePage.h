#pragma once
// Text from files of either age: files we write are UTF-8, files from older versions and
// from other Japanese tools are Shift-JIS (CP932).
#include <QByteArray>
#include <QString>

namespace pictavo {

// Decodes CP932 bytes; a byte sequence that CP932 does not define becomes U+FFFD and decoding
// goes on with the next byte. Throws std::runtime_error only when the C library lacks CP932.
QString DecodeCp932(const QByteArray& bytes);

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is dropped, and a file cut
// off inside its last character still counts), else CP932.
QString DecodeText(const QByteArray& bytes);

}  // namespace pictavo
