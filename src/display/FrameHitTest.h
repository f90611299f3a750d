#pragma once
// Which part of the borderless window's own frame a point is on: the edges and corners resize,
// the caption bar moves, everything else is the picture area.
namespace pictavo {

enum class FrameArea {
    Client,
    Caption,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// (x, y) in window coordinates; W x H the window size; the caption bar's right and bottom
// edges (left + width, top + height). Corners are 6 px, edges 3 px, tested in that order.
FrameArea HitTestFrame(int x, int y, int W, int H, int captionRight, int captionBottom);

}  // namespace pictavo
