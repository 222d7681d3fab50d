// Stopwatch with ten millisecond channels over a 32-bit tick count, as the report's timing lines need.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace zelta {

// Milliseconds of a monotonic clock, cut to 32 bits; differences wrap like the tick count they model.
uint32_t monotonicTicks();

class Crono {
public:
    using Clock = std::function<uint32_t()>;
    static constexpr int Channels = 10;

    explicit Crono(Clock clock = monotonicTicks);

    void reset(int ch);
    void start(int ch);
    void stop(int ch);
    // Milliseconds counted by the channel; for a running channel, up to now.
    int32_t elapsed(int ch) const;
    bool running(int ch) const { return channels_[ch].running; }

private:
    struct Channel {
        bool running = false;
        uint32_t origin = 0;
        uint32_t stopTick = 0;
    };
    Clock clock_;
    std::array<Channel, Channels> channels_;
};

} // namespace zelta
