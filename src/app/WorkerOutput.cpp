// The worker's output queue.
#include "app/WorkerOutput.h"

namespace zelta {

void WorkerOutput::push(Item item) {
    bool wasEmpty;
    {
        std::lock_guard lock(mutex_);
        wasEmpty = items_.empty();
        items_.push_back(std::move(item));
    }
    if (wasEmpty && onPending)
        onPending();
}

void WorkerOutput::setText(Field field, const std::string& text) {
    push({Kind::Text, field, text});
}
void WorkerOutput::reportLine(const std::string& text) {
    push({Kind::Line, Field::file_in, text});
}
void WorkerOutput::clearReport() {
    push({Kind::Clear, Field::file_in, {}});
}

void WorkerOutput::drainInto(ReportSink& host) {
    {
        std::lock_guard lock(mutex_);
        draining_.swap(items_);
    }
    for (const Item& item : draining_) {
        switch (item.kind) {
        case Kind::Text:
            host.setText(item.field, item.text);
            break;
        case Kind::Line:
            host.reportLine(item.text);
            break;
        case Kind::Clear:
            host.clearReport();
            break;
        }
    }
    draining_.clear();
}

} // namespace zelta
