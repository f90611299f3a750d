#pragma once
// A GIF played frame by frame: each call composes the next frame onto the logical screen
// (frame delay, disposal including restore-to-previous, transparency) and reads no further
// into the file than that frame. Only one screen-sized canvas is kept, so a long animation
// costs the memory of one frame, not of all of them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace pictavo {

// Frames x pixels that one pass over an animation may cost (frame area plus screen area per
// frame). 2^34 allows, for example, 4000 full-HD frames; a file that asks for more stops
// with EPictureTooLarge instead of keeping the viewer busy.
inline constexpr std::int64_t kMaxGifWorkPixels = std::int64_t{1} << 34;

// LoopCount() of a file without a looping extension: play once.
inline constexpr int kGifPlayOnce = -1;

class GifAnimation {
public:
    // Opens the GIF file at `path`, which stays open (owned by this object) while frames are
    // read. Reads only the screen descriptor. Throws EPictureFile, EGifDecode, EPictureTooLarge.
    explicit GifAnimation(const std::string& path);
    // Plays the GIF data `bytes`, which this object takes over. Throws as above.
    explicit GifAnimation(std::vector<std::uint8_t> bytes);
    ~GifAnimation();
    GifAnimation(GifAnimation&&) noexcept;
    GifAnimation& operator=(GifAnimation&&) noexcept;

    // Size of the logical screen, which every frame has.
    int Width() const;
    int Height() const;

    // Reads and composes the next frame. Returns false after the last frame of the pass (the
    // frame shown stays). Throws EGifDecode for a broken frame, EPictureTooLarge past
    // kMaxGifWorkPixels; the animation should then be stopped or rewound.
    bool NextFrame();
    // The current frame: 32-bit BGRA, alpha 0 where no frame has drawn (or after disposal to
    // the background), 255 elsewhere. Owned by this object, changed by the next call.
    const Bitmap& Frame() const;
    // Hands the current frame to the caller; the animation must be rewound before going on.
    Bitmap TakeFrame();
    // Index of the current frame within the pass, -1 before the first.
    int FrameIndex() const;
    // How long the current frame stays, in milliseconds, as the file says (0 when it says
    // nothing; choosing a shortest delay is the player's business).
    int DelayMs() const;
    // Repeats after the first pass from the looping extension: 0 forever, n > 0 that many
    // more passes, kGifPlayOnce when the file has none. Known once the first frame is read.
    int LoopCount() const;
    // Back to the start of the file with a cleared screen; FrameIndex() becomes -1.
    // Throws like the constructor.
    void Rewind();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pictavo
