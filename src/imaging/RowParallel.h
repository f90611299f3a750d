#pragma once
// Splits work on the rows of a picture among threads. Each call starts and joins its own
// threads: a resampling call is tens of milliseconds, thread start-up is microseconds, and
// no pool outlives the call.
#include <cstdint>
#include <functional>

namespace pictavo {

// The number of threads `requested` stands for: itself when positive, else one per
// processor core (at least 1).
int ResolveThreadCount(int requested);

// Calls body(begin, end) for consecutive bands of [0, rows) until all rows are done, on up
// to ResolveThreadCount(threads) threads including the caller. Work below `costPerRow` *
// rows of about a hundred thousand units stays on the calling thread. `body` must not throw
// and must only write what belongs to its own rows. If a thread cannot be started the
// remaining threads (at least the caller) do all the work.
void ForEachRowBand(int rows, int threads, std::int64_t costPerRow, const std::function<void(int, int)>& body);

}  // namespace pictavo
