#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <future>

#include "display/PrefetchPlan.h"
#include "display/Prefetcher.h"

namespace pictavo {
namespace {

using Entries = std::vector<std::int32_t>;

TEST(PrefetchPlan, AheadInTheDirectionOfTravelThenOneBehind) {
    EXPECT_EQ(PrefetchPlan(3, 10, false, Travel::Forward), (Entries{4, 5, 2}));
    EXPECT_EQ(PrefetchPlan(3, 10, false, Travel::Backward), (Entries{2, 1, 4}));
    EXPECT_EQ(PrefetchPlan(9, 10, false, Travel::Forward), (Entries{0, 1, 8}));  // wraps as Next does
    // Spreads: both pages of the next spread, then the spread behind; the last entry alone.
    EXPECT_EQ(PrefetchPlan(2, 10, true, Travel::Forward), (Entries{4, 5, 0, 1}));
    EXPECT_EQ(PrefetchPlan(6, 8, true, Travel::Forward), (Entries{0, 1, 4, 5}));
    EXPECT_EQ(PrefetchPlan(4, 10, true, Travel::Backward), (Entries{2, 3, 6, 7}));
    // Nothing on screen, nothing to guess, nothing else in the list.
    EXPECT_TRUE(PrefetchPlan(3, 10, false, Travel::Random).empty());
    EXPECT_TRUE(PrefetchPlan(-1, 10, false, Travel::Forward).empty());
    EXPECT_TRUE(PrefetchPlan(0, 1, false, Travel::Forward).empty());
    EXPECT_EQ(PrefetchPlan(0, 2, false, Travel::Forward), (Entries{1}));
}

// Reads a file's first byte as the grey of a 100 x 100 picture (opaque when said so); a file
// starting with 'x' fails. A read can be held until the test lets it go.
class ByteDecoder : public PictureDecoder {
public:
    mutable std::atomic<int> decodes{0};
    std::shared_future<void> gate;  // once set, reads wait for it
    std::atomic<bool> opaque{false};

    Bitmap Decode(const std::string& path) const override {
        ++decodes;
        if (gate.valid()) gate.wait();
        std::ifstream in(path, std::ios::binary);
        const int first = in.get();
        if (first == 'x' || first < 0) throw EDecode("unreadable " + path);
        Bitmap picture(100, 100, 32);
        std::fill(picture.Row(0), picture.Row(0) + picture.ByteSize(), static_cast<std::uint8_t>(first));
        if (opaque) {
            for (std::size_t i = 3; i < picture.ByteSize(); i += 4) picture.Data()[i] = 255;
            picture.MarkOpaque();
        }
        return picture;
    }
};

class PrefetcherTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        // The unit tests also run in a second locale at the same time: names of their own.
        const std::string path = ::testing::TempDir() + "prefetch_" + std::to_string(::getpid()) + "_" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    Prefetcher::Job Job(const std::string& path, std::optional<ScreenFit> fit = {}) {
        return {path, decoder, fit};
    }
    // Take waits for a read under way but skips one not begun: wait until `n` reads began.
    void WaitForReads(int n) {
        while (decoder->decodes < n) std::this_thread::yield();
    }
    static std::uint8_t Grey(const std::optional<Prefetcher::Ahead>& ahead) {
        return ahead ? ahead->picture.Row(0)[0] : 0;
    }

    std::shared_ptr<ByteDecoder> decoder = std::make_shared<ByteDecoder>();
    static constexpr std::size_t kPicture = 100 * 100 * 4;
};

TEST_F(PrefetcherTest, HandsOverOnceWhileTheFileIsUnchangedAndFreesWhatIsNoLongerWanted) {
    const std::string a = Write("a", "A"), b = Write("b", "B"), bad = Write("bad", "x"), c = Write("c", "C");
    Prefetcher prefetcher(10 * kPicture);
    prefetcher.Want({Job(a), Job(b), Job(bad), Job(c)});
    WaitForReads(4);
    EXPECT_EQ(Grey(prefetcher.Take(a)), 'A');
    EXPECT_FALSE(prefetcher.Take(a).has_value());  // handed over, not kept
    EXPECT_THROW(prefetcher.Take(bad), EDecode);
    EXPECT_FALSE(prefetcher.Take(bad).has_value());
    // Wait for b and c, then change b on disk (another size): the show must read it again.
    while (prefetcher.HeldBytes() < 2 * kPicture) std::this_thread::yield();
    Write("b", "BB");
    EXPECT_FALSE(prefetcher.Take(b).has_value());
    EXPECT_EQ(decoder->decodes, 4);
    prefetcher.Want({});
    EXPECT_EQ(prefetcher.HeldBytes(), 0u);
    EXPECT_FALSE(prefetcher.Take(c).has_value());
}

TEST_F(PrefetcherTest, StaysWithinItsBudgetAndWaitsForADecodeUnderWay) {
    std::vector<Prefetcher::Job> jobs;
    for (char c : std::string("DEFGH")) jobs.push_back(Job(Write(std::string(1, c), std::string(1, c))));
    {
        Prefetcher prefetcher(2 * kPicture, 2);
        prefetcher.Want(jobs);
        // Whatever finished first, no more than two pictures are ever held.
        for (const auto& job : jobs) (void)prefetcher.Take(job.path);
        EXPECT_LE(prefetcher.PeakHeldBytes(), 2 * kPicture);
    }
    std::promise<void> release;
    decoder->gate = release.get_future().share();
    Prefetcher prefetcher(10 * kPicture);
    const int before = decoder->decodes;
    prefetcher.Want({jobs[0]});
    WaitForReads(before + 1);  // the read has begun and is held
    auto taken = std::async(std::launch::async, [&] { return prefetcher.Take(jobs[0].path); });
    EXPECT_EQ(taken.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    release.set_value();
    EXPECT_EQ(Grey(taken.get()), 'D');
}

// A picture the show is done with comes back without a decode while its file is unchanged, and
// only when the next plan still wants it.
TEST_F(PrefetcherTest, KeepsAShownPictureForAShowThatComesBack) {
    const std::string a = Write("ka", "K"), b = Write("kb", "L");
    Prefetcher prefetcher(10 * kPicture);
    prefetcher.Keep(a, decoder->Decode(a), Prefetcher::StampOf(a));
    prefetcher.Keep(b, decoder->Decode(b), Prefetcher::StampOf(b));
    const int decodes = decoder->decodes;
    prefetcher.Want({Job(a)});
    EXPECT_EQ(prefetcher.HeldBytes(), kPicture);
    EXPECT_EQ(Grey(prefetcher.Take(a)), 'K');
    EXPECT_EQ(decoder->decodes, decodes);
    prefetcher.Keep(a, decoder->Decode(a), Prefetcher::StampOf(a));
    Write("ka", "KK");
    EXPECT_FALSE(prefetcher.Take(a).has_value());
}

// The worker resamples an opaque picture for the fit it was given, byte for byte as the show
// would; the copy goes first when only the picture fits the budget, and a picture that the
// show may still flatten is not resampled ahead.
TEST_F(PrefetcherTest, ResamplesOpaquePicturesForTheirFitWithinTheBudget) {
    const ScreenFit fit{50, 40, 3, 1};  // 100 x 100 fitted to 40 x 40 by the bilinear method
    const auto taken = [&](std::size_t budget, const std::string& name) {
        const std::string path = Write(name, name);
        Prefetcher prefetcher(budget);
        prefetcher.Want({Job(path, fit)});
        while (prefetcher.HeldBytes() == 0) std::this_thread::yield();
        return prefetcher.Take(path);
    };
    decoder->opaque = true;
    const auto roomy = taken(10 * kPicture, "F");
    ASSERT_TRUE(roomy && roomy->fitted);
    EXPECT_EQ(roomy->fit, fit);
    const Bitmap expected = ResamplePicture(roomy->picture, 1, 40, 40);
    ASSERT_EQ(roomy->fitted->ByteSize(), expected.ByteSize());
    EXPECT_EQ(std::memcmp(roomy->fitted->Data(), expected.Data(), expected.ByteSize()), 0);
    const auto tight = taken(kPicture, "G");
    EXPECT_TRUE(tight && !tight->fitted);
    decoder->opaque = false;
    const auto transparent = taken(10 * kPicture, "H");
    EXPECT_TRUE(transparent && !transparent->fitted);
}

}  // namespace
}  // namespace pictavo
