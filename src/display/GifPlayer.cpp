#include "display/GifPlayer.h"

#include <exception>

#include <utility>
#include "decode/DecodeErrors.h"

namespace pictavo {

namespace {

constexpr std::int64_t kCatchUpMs = 1000;

}  // namespace

int PlayedDelayMs(int fileDelayMs) {
    return fileDelayMs <= 10 ? 100 : fileDelayMs;
}

GifPlayer::GifPlayer(GifAnimation animation) : animation_(std::move(animation)) {}

void GifPlayer::Start(std::int64_t nowMs) {
    stopped_ = true;
    if (animation_.FrameIndex() >= 0) animation_.Rewind();
    if (!animation_.NextFrame()) throw EGifDecode("GIF: the file holds no frame");
    pass_ = 1;
    framesInPass_ = 1;
    dueMs_ = nowMs + PlayedDelayMs(animation_.DelayMs());
    stopped_ = false;
}

bool GifPlayer::Advance(std::int64_t nowMs) {
    if (stopped_ || nowMs < dueMs_) return false;
    try {
        if (animation_.NextFrame()) {
            ++framesInPass_;
        } else if (!StartNextPass()) {
            Stop();
            return false;
        }
    } catch (const std::exception&) {
        // A broken frame later in the file: the frames before it have been shown, the last
        // one stays. The file was accepted when it started, so there is nothing to report.
        Stop();
        return false;
    }
    dueMs_ += PlayedDelayMs(animation_.DelayMs());
    // A short hiccup (a busy machine) is caught up by showing the next frames at once, so the
    // animation keeps its own clock. After a long stall (the machine suspended, the view
    // hidden) the clock starts again from now rather than racing through what it missed.
    if (nowMs - dueMs_ > kCatchUpMs) dueMs_ = nowMs + PlayedDelayMs(animation_.DelayMs());
    return true;
}

bool GifPlayer::StartNextPass() {
    const int loops = animation_.LoopCount();
    const bool more = loops == 0 || (loops > 0 && pass_ <= loops);
    // A still picture with a looping extension would only decode its one frame again.
    if (!more || framesInPass_ < 2) return false;
    animation_.Rewind();
    if (!animation_.NextFrame()) return false;
    ++pass_;
    framesInPass_ = 1;
    return true;
}

}  // namespace pictavo
