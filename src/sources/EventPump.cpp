#include "sources/EventPump.h"

#include <utility>

namespace pictavo {

EventPump::EventPump(std::function<void()> processEvents, std::chrono::milliseconds interval,
                     std::function<Clock::time_point()> now)
    : processEvents_(std::move(processEvents)), interval_(interval), now_(std::move(now)) {}

void EventPump::Poll() {
    const Clock::time_point now = now_();
    if (ranOnce_ && now - last_ < interval_) return;
    ranOnce_ = true;
    last_ = now;
    processEvents_();
}

}  // namespace pictavo
