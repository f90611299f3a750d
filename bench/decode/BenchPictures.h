#pragma once
// Writes the large pictures that decode_bench measures: photo-like content (smooth waves and
// grain), so that the codecs work as hard as on real photographs.
#include <string>

// A baseline 4:2:0 JPEG at quality 90. Returns false when it cannot be written.
bool WriteBenchJpeg(const std::string& path, int width, int height);
// An 8-bit RGB PNG with libpng's default compression.
bool WriteBenchPng(const std::string& path, int width, int height);
// An animated GIF of `frames` full-screen frames with one 256-colour map, looping forever.
bool WriteBenchGif(const std::string& path, int width, int height, int frames);
