#include "platform/ClockText.h"

#include <langinfo.h>
#include <array>

namespace pictavo {

QString FormatTimeOfDay(const std::tm& time, const char* format) {
    if (format == nullptr) format = nl_langinfo(T_FMT);
    // A locale without a time format (seen in stripped-down containers) still shows a clock.
    if (format == nullptr || *format == '\0') format = "%H:%M:%S";
    std::array<char, 256> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), format, &time);
    return QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(length));
}

QString LongTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatTimeOfDay(local);
}

}  // namespace pictavo
