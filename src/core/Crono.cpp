// Ten-channel stopwatch: paused spans never count, because start moves the origin forward
// by the time spent stopped.
#include "core/Crono.h"

#include <chrono>

namespace zelta {

uint32_t monotonicTicks() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

Crono::Crono(Clock clock) : clock_(std::move(clock)) {
    for (int ch = 0; ch < Channels; ++ch)
        reset(ch);
}

void Crono::reset(int ch) {
    channels_[ch] = Channel{};
}

void Crono::start(int ch) {
    Channel& c = channels_[ch];
    c.origin += clock_() - c.stopTick;
    c.running = true;
}

void Crono::stop(int ch) {
    Channel& c = channels_[ch];
    c.stopTick = clock_();
    c.running = false;
}

int32_t Crono::elapsed(int ch) const {
    const Channel& c = channels_[ch];
    uint32_t end = c.running ? clock_() : c.stopTick;
    return static_cast<int32_t>(end - c.origin);
}

} // namespace zelta
