// Hands the routing worker's figures and report lines to the thread that owns the Host, in the
// order the worker produced them.
#pragma once

#include "core/ReportSink.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace zelta {

// The sink the worker writes to: it only queues.
class WorkerOutput : public ReportSink {
public:
    // Called on the worker's thread when the queue goes from empty to not empty.
    std::function<void()> onPending;

    // Applies every queued item to host, in order. Call on the host's thread.
    void drainInto(ReportSink& sink);

    void setText(Field field, const std::string& text) override;
    void reportLine(const std::string& text) override;
    void clearReport() override;

private:
    enum class Kind { Text, Line, Clear };
    struct Item {
        Kind kind;
        Field field;
        std::string text;
    };
    void push(Item item);

    std::mutex mutex_;
    std::vector<Item> items_;
    std::vector<Item> draining_;
};

} // namespace zelta
