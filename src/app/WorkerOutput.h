// Hands the routing worker's figures and report lines to the thread that owns the window (or
// another sink). Lines keep their order; of each figure only the newest value matters, so a
// burst of laps costs the receiving thread one update per field, however many laps it held.
#pragma once

#include "core/ReportSink.h"

#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zelta {

// The sink the worker writes to: it only queues.
class WorkerOutput : public ReportSink {
public:
    // Called on the worker's thread when the queue goes from empty to not empty.
    std::function<void()> onPending;

    // Applies what is queued to sink: a clear, then the lines in order, then the newest value of
    // each figure that changed. Call on the sink's thread.
    void drainInto(ReportSink& sink);

    void setText(Field field, const std::string& text) override;
    void reportLine(const std::string& text) override;
    void clearReport() override;

private:
    struct Queue {
        bool clear = false;
        std::vector<std::string> lines;
        std::array<std::optional<std::string>, FieldCount> fields;
        bool empty() const;
    };
    // Runs change under the lock; onPending is called after it is released.
    template <class Change> void push(Change change);

    std::mutex mutex_;
    Queue queue_;
    Queue draining_;
};

} // namespace zelta
