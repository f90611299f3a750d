#include "platform/ClockText.h"

#include <langinfo.h>
#include <array>
#include <string>

namespace pictavo {

namespace {

const char* LocaleTimeFormat(const char* format) {
    if (format == nullptr) format = nl_langinfo(T_FMT);
    // A locale without a time format (seen in stripped-down containers) still shows a clock.
    if (format == nullptr || *format == '\0') format = "%H:%M:%S";
    return format;
}

// Where the conversion starting at `at` (a '%') ends, modifiers E and O included.
std::size_t ConversionEnd(const std::string& format, std::size_t at) {
    std::size_t i = at + 1;
    if (i < format.size() && (format[i] == 'E' || format[i] == 'O')) ++i;
    return i < format.size() ? i + 1 : format.size();
}

}  // namespace

QString FormatTimeOfDay(const std::tm& time, const char* format) {
    format = LocaleTimeFormat(format);
    std::array<char, 256> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), format, &time);
    return QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(length));
}

std::string FormatWithoutSeconds(const std::string& format) {
    // Literal runs and conversions in order; the seconds conversion is found among them.
    std::size_t previousEnd = 0;  // end of the conversion before the current literal run
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] != '%') {
            ++i;
            continue;
        }
        const std::size_t end = ConversionEnd(format, i);
        if (format[end - 1] != 'S' || end - i > 3) {
            previousEnd = end;
            i = end;
            continue;
        }
        std::size_t next = end;  // the literal after the seconds runs up to the next conversion
        while (next < format.size() && format[next] != '%') ++next;
        if (next > end) return format.substr(0, i) + format.substr(next);
        return format.substr(0, previousEnd) + format.substr(end);
    }
    return format;
}

QString ClockText(const std::tm& time, const char* format) {
    format = LocaleTimeFormat(format);
    QString text = FormatTimeOfDay(time, format);
    const qsizetype colon = text.indexOf(u':');
    if (colon >= 0) return text.remove(colon + 3, 3);
    return FormatTimeOfDay(time, FormatWithoutSeconds(format).c_str());
}

QString ClockText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ClockText(local);
}

}  // namespace pictavo
