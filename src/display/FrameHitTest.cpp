#include "display/FrameHitTest.h"

namespace pictavo {

FrameArea HitTestFrame(int x, int y, int W, int H, int captionRight, int captionBottom) {
    constexpr int corner = 6;
    constexpr int edge = 3;
    if (x < corner && y < corner) return FrameArea::TopLeft;
    if (x < corner && y > H - corner) return FrameArea::BottomLeft;
    if (x > W - corner && y < corner) return FrameArea::TopRight;
    if (x > W - corner && y > H - corner) return FrameArea::BottomRight;
    if (x < edge) return FrameArea::Left;
    if (x > W - edge) return FrameArea::Right;
    if (y < edge) return FrameArea::Top;
    if (y > H - edge) return FrameArea::Bottom;
    if (x > 0 && x < captionRight && y >= 1 && y < captionBottom) return FrameArea::Caption;
    return FrameArea::Client;
}

}  // namespace pictavo
