#pragma once
// Lets the window system run during a long loop on the user-interface thread (so that the
// loading window's buttons work), but not more often than once per interval: handling events
// after every directory entry would dominate the time of a large scan.
#include <chrono>
#include <functional>

namespace pictavo {

class EventPump {
public:
    using Clock = std::chrono::steady_clock;

    // `processEvents` runs the pending events; `now` reads the clock (injectable for tests).
    EventPump(std::function<void()> processEvents, std::chrono::milliseconds interval,
              std::function<Clock::time_point()> now = &Clock::now);

    // Runs the events when this is the first call or `interval` has passed since they last ran.
    void Poll();

private:
    std::function<void()> processEvents_;
    Clock::duration interval_;
    std::function<Clock::time_point()> now_;
    Clock::time_point last_{};
    bool ranOnce_ = false;
};

}  // namespace pictavo
