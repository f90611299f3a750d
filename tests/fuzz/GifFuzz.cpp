// The GIF frame compositor: every frame of a pass (disposal, transparency, frames reaching past
// the screen), a rewind and a second pass, in memory and from a file.
#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"

using namespace pictavo;

namespace {

constexpr int kFramesPerPass = 2000;  // an endless run of empty frames stops here

void Play(GifAnimation& animation) {
    for (int i = 0; i < kFramesPerPass && animation.NextFrame(); ++i)
        fuzz::Require(animation.Frame().Width() == animation.Width() && animation.DelayMs() >= 0,
                      "a frame lost the screen size");
}

void PlayTwice(GifAnimation animation) {
    try {
        Play(animation);
    } catch (const EDecode&) {
    }
    animation.Rewind();
    Play(animation);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        PlayTwice(GifAnimation(std::vector<std::uint8_t>(data, data + size)));
    } catch (const EDecode&) {
    }
    try {
        PlayTwice(GifAnimation(fuzz::InMemoryFile(data, size)));
    } catch (const EDecode&) {
    }
    return 0;
}
