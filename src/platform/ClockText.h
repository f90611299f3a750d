#pragma once
// The time of day in the user's own long time format (the locale's LC_TIME, e.g. %H:%M:%S).
#include <QString>
#include <ctime>

namespace pictavo {

// `time` formatted with `format` (strftime rules); the locale's time format when `format` is
// null. Empty text when the result does not fit 256 bytes.
QString FormatTimeOfDay(const std::tm& time, const char* format = nullptr);

// The current local time in the locale's long time format.
QString LongTimeText();

}  // namespace pictavo
