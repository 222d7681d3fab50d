// The worker's output queue.
#include "app/WorkerOutput.h"

namespace zelta {

bool WorkerOutput::Queue::empty() const {
    if (clear || !lines.empty())
        return false;
    for (const auto& f : fields)
        if (f)
            return false;
    return true;
}

template <class Change> void WorkerOutput::push(Change change) {
    bool wasEmpty;
    {
        std::lock_guard lock(mutex_);
        wasEmpty = queue_.empty();
        change(queue_);
    }
    if (wasEmpty && onPending)
        onPending();
}

void WorkerOutput::setText(Field field, const std::string& text) {
    push([&](Queue& q) { q.fields[static_cast<size_t>(field)] = text; });
}

void WorkerOutput::reportLine(const std::string& text) {
    push([&](Queue& q) { q.lines.push_back(text); });
}

void WorkerOutput::clearReport() {
    // The lines before the clear would be cleared at once: they are not kept.
    push([](Queue& q) {
        q.clear = true;
        q.lines.clear();
    });
}

void WorkerOutput::drainInto(ReportSink& sink) {
    {
        std::lock_guard lock(mutex_);
        std::swap(draining_, queue_);
    }
    if (draining_.clear)
        sink.clearReport();
    if (!draining_.lines.empty())
        sink.reportLines(draining_.lines);
    for (size_t f = 0; f < draining_.fields.size(); ++f)
        if (draining_.fields[f])
            sink.setText(static_cast<Field>(f), *draining_.fields[f]);
    // Emptied, but the lines' storage is kept for the next swap.
    draining_.clear = false;
    draining_.lines.clear();
    draining_.fields.fill(std::nullopt);
}

} // namespace zelta
