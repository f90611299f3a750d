// The GIF frame compositor: every frame of a pass (disposal, transparency, frames reaching past
// the screen), a rewind and a second pass, in memory and from a file.
#include "FuzzSupport.h"
#include "decode/DecodeErrors.h"
#include "decode/GifAnimation.h"

using namespace pictavo;

namespace {

constexpr int kFramesPerPass = 2000;  // an endless run of empty frames stops here
// A screen of up to 2^28 pixels is cleared on every rewind, which takes long under the
// sanitizers: larger screens than this are left out.
constexpr std::int64_t kMaxFuzzScreen = std::int64_t{1} << 22;

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
    if (size >= 10 && std::int64_t{data[6] | data[7] << 8} * (data[8] | data[9] << 8) > kMaxFuzzScreen)
        return 0;
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
