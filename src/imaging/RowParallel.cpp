#include "imaging/RowParallel.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace pictavo {

namespace {
// Below this much work the threads cost more than they save.
constexpr std::int64_t kMinParallelCost = 100000;
// Bands are small enough for a busy core to hand its share to an idle one.
constexpr int kBandsPerThread = 8;
}  // namespace

int ResolveThreadCount(int requested) {
    if (requested > 0) return requested;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void ForEachRowBand(int rows, int threads, std::int64_t costPerRow, const std::function<void(int, int)>& body) {
    if (rows <= 0) return;
    int count = std::min(ResolveThreadCount(threads), rows);
    if (count <= 1 || costPerRow * rows < kMinParallelCost) {
        body(0, rows);
        return;
    }
    const int band = std::max(1, rows / (count * kBandsPerThread));
    std::atomic<int> next{0};
    auto work = [&] {
        for (;;) {
            const int begin = next.fetch_add(band, std::memory_order_relaxed);
            if (begin >= rows) return;
            body(begin, std::min(rows, begin + band));
        }
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(count - 1);
    try {
        for (int t = 1; t < count; ++t) helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer helpers than asked for: the ones running and this thread share the rows.
    }
    work();
}

}  // namespace pictavo
