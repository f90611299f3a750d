#pragma once
// Plays a GIF by its own clock: frames are read from the file one at a time as they fall due,
// each stays for its own delay, passes repeat as the file's looping extension says. The due
// times are absolute (each one is the previous plus the frame's delay), so a late timer or a
// slow frame never pushes the rest of the animation back; only a stall of more than a second
// restarts the clock from the moment play resumes. Time is passed in, in milliseconds
// of any monotonic clock, so the rules are tested without waiting.
#include <cstdint>
#include <optional>

#include "decode/GifAnimation.h"

namespace pictavo {

// Delays of 10 ms and less (0 included) play at 100 ms, as browsers and viewers play them:
// such files were made for that speed.
int PlayedDelayMs(int fileDelayMs);

class GifPlayer {
public:
    // Takes the animation over. Nothing is read until Start().
    explicit GifPlayer(GifAnimation animation);

    // Composes the first frame at `nowMs`. Throws what the decoder throws when not even that
    // frame can be read (the caller beeps and shows nothing).
    void Start(std::int64_t nowMs);
    // Moves to the next frame when it is due at `nowMs`: true when the frame changed. At the end
    // of a pass the file starts again while passes remain; a single-frame file, the last pass or
    // a frame the decoder refuses stops the player on the frame shown. Never throws.
    bool Advance(std::int64_t nowMs);

    // The frame on screen: BGRA, alpha 0 or 255 with the colour bytes zero where transparent
    // (so it is valid premultiplied). Owned by the player, changed by Advance().
    const Bitmap& Frame() const { return animation_.Frame(); }
    int Width() const { return animation_.Width(); }
    int Height() const { return animation_.Height(); }
    // Index of the frame shown within its pass; -1 before Start().
    int FrameIndex() const { return animation_.FrameIndex(); }
    // Passes begun so far (1 during the first).
    int Pass() const { return pass_; }
    // When the next frame falls due; none once the player has stopped.
    std::optional<std::int64_t> NextDueMs() const { return stopped_ ? std::nullopt : std::optional(dueMs_); }
    bool IsStopped() const { return stopped_; }

private:
    bool StartNextPass();
    void Stop() { stopped_ = true; }

    GifAnimation animation_;
    std::int64_t dueMs_ = 0;
    int pass_ = 0;
    int framesInPass_ = 0;
    bool stopped_ = true;
};

}  // namespace pictavo
