#pragma once
// The yardsticks: each library used the plain way its own documentation shows, with no
// checks beyond its own. decode_bench compares the program's decoders with these.
#include <cstdint>
#include <memory>
#include <string>

// libjpeg-turbo straight to BGRA into a fresh (uninitialised) buffer; returns one pixel byte.
std::uint8_t PlainJpegToBgra(const std::string& path);
// libpng's simplified API to BGRA; returns one pixel byte.
std::uint8_t PlainPngToBgra(const std::string& path);
// giflib record by record, every frame drawn onto one BGRA canvas through its colour map
// and transparent index; returns the number of frames.
int PlainGifFrames(const std::string& path);
