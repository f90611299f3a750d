#pragma once
// The time of day in the user's own long time format (the locale's LC_TIME, e.g. %H:%M:%S),
// and the clock's hours-and-minutes form of it.
#include <QString>
#include <ctime>

namespace pictavo {

// `time` formatted with `format` (strftime rules); the locale's time format when `format` is
// null. Empty text when the result does not fit 256 bytes.
QString FormatTimeOfDay(const std::tm& time, const char* format = nullptr);

// `time` in `format` (the locale's when null) without its seconds. With a ":" in the text, the
// three characters from three after the first ":" go ("14:05:07" -> "14:05"); a format without
// ":" (Japanese gives "%H時%M分%S秒") is formatted again without its seconds field instead, as
// cutting characters there would take the wrong ones.
QString ClockText(const std::tm& time, const char* format = nullptr);
// The clock's text for the current local time.
QString ClockText();

// `format` without its seconds conversion (%S, %OS, %ES) and the literal text that belongs to it:
// the unit after it ("%S秒"), or the separator before it when nothing follows ("%H.%M.%S").
std::string FormatWithoutSeconds(const std::string& format);

}  // namespace pictavo
