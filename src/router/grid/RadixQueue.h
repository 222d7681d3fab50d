// A monotone priority queue of whole-number keys (a radix heap): every key pushed is at least the
// last one popped, as in a best-first search whose estimate never overestimates. Pushes and pops
// cost little and touch few cache lines. Among equal keys the one pushed last comes first.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

class RadixQueue {
public:
    struct Item {
        uint64_t key;
        int32_t value;
    };

    void clear() {
        for (std::vector<Item>& b : buckets_)
            b.clear();
        last_ = 0;
        size_ = 0;
    }
    bool empty() const { return size_ == 0; }
    void reserve(size_t n) { buckets_[0].reserve(n); }

    // key must not be below the key popped last.
    void push(uint64_t key, int32_t value) {
        buckets_[bucketOf(key)].push_back({key, value});
        ++size_;
    }

    Item pop() {
        if (buckets_[0].empty()) {
            // The lowest non-empty bucket holds the least key; its items go down into buckets
            // relative to that key.
            size_t i = 1;
            while (buckets_[i].empty())
                ++i;
            uint64_t least = buckets_[i][0].key;
            for (const Item& item : buckets_[i])
                least = item.key < least ? item.key : least;
            last_ = least;
            for (const Item& item : buckets_[i])
                buckets_[bucketOf(item.key)].push_back(item);
            buckets_[i].clear();
        }
        const Item item = buckets_[0].back();
        buckets_[0].pop_back();
        --size_;
        return item;
    }

private:
    size_t bucketOf(uint64_t key) const {
        return key == last_ ? 0 : static_cast<size_t>(64 - std::countl_zero(key ^ last_));
    }

    std::array<std::vector<Item>, 65> buckets_;
    uint64_t last_ = 0;
    size_t size_ = 0;
};

} // namespace zelta
