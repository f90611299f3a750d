// Key codes and their names, Qt keys as virtual keys, command lookups by INI key, and the
// numbers of the settings file.
#include <cstring>

#include "FuzzSupport.h"
#include "config/IniDocument.h"
#include "config/KeyNames.h"
#include "platform/VirtualKeys.h"

using namespace pictavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Whatever number is read writes back in decimal and reads as itself.
    if (const auto value = ParseIniInteger(QString::fromUtf8(bytes)))
        fuzz::Require(ParseIniInteger(QString::number(*value)) == value, "a number does not read back");
    DefaultKeyCode(bytes.constData());
    if (size < 10) return 0;
    const auto code = static_cast<KeyCode>(data[0] | data[1] << 8);
    const int row = KeyIndexFromCode(code);
    fuzz::Require(row >= 0 && row < kKeyNameCount, "a code has no row");
    fuzz::Require(
        KeyName(code) == KeyNameAt(row) || KeyNameAt(row).isEmpty() || KeyCodeFromIndex(row) != code,
        "a code and its row have different names");
    KeyNameHalfWidth(code);
    KeyNameAt(static_cast<std::int8_t>(data[2]), data[3] & 1);
    std::int32_t qtKey = 0;
    std::uint32_t modifiers = 0;
    std::memcpy(&qtKey, data + 2, 4);
    std::memcpy(&modifiers, data + 6, 4);
    VirtualKeyFromQtKey(qtKey, Qt::KeyboardModifiers::fromInt(static_cast<int>(modifiers)));
    VirtualKeyFromMouseButton(static_cast<Qt::MouseButton>(qtKey));
    CommandForCode(Settings{}, code);
    return 0;
}
