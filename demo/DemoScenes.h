#pragma once
// The demo pictures, drawn from gradients and shapes so that each looks different.
#include <vector>

#include "DemoWriters.h"

namespace demo {

Image Sunrise(int w, int h);
Image Balloons(int w, int h);
// Two facing pages of a picture book, meant to be shown as one spread.
Image BookPage(int w, int h, bool leftPage);
Image Panorama(int w, int h);
std::vector<Image> SpinnerFrames(int size, int count);

}  // namespace demo
