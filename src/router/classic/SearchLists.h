// The connection search's lists, held as per-cell marks and a heap so that each operation
// costs (nearly) constant time, with exactly the order of a sorted list:
//  - open nodes ascending by f; among equal f the node inserted last first; after the target
//    changes, ascending by the new f with the previous order kept among equals;
//  - closed cells with the first node closed there;
//  - target cells in scan order, ranked by distance from the latest reference cell, ties going
//    to the ranking of the reference before it, and finally to scan order.
#pragma once

#include "core/Init_obj.h"
#include "router/grid/CellStamps.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zelta {

struct nodo;

class OpenList {
public:
    void clear();
    // A node for a cell that already has one replaces it only with a lower f.
    void insert(const nodo& node);
    bool pop(nodo& out);
    // The target moved: every node's f becomes g plus the estimate to the new target, and the
    // list is re-sorted keeping the order among equals.
    void retarget(int32_t targetCol, int32_t targetRow);
    bool contains(int idx) const { return live_.has(idx); }

private:
    struct Entry {
        uint64_t key; // f in the high half, insertion order in the low half
        int32_t idx;
    };
    static bool after(const Entry& a, const Entry& b) { return a.key > b.key; }
    bool isLive(const Entry& e) const { return live_.has(e.idx) && liveKey_[e.idx] == e.key; }
    void push(int idx, int32_t f);

    std::vector<Entry> heap_;
    std::vector<Entry> scratch_;
    CellStamps live_;
    std::array<uint64_t, PlaneCells> liveKey_{};
    std::array<int32_t, PlaneCells> g_{};
    std::array<uint8_t, PlaneCells> dir_{};
    // New nodes take ever smaller order numbers, so that they stand before every node of equal f.
    uint32_t nextOrder_ = UINT32_MAX;
};

class ClosedList {
public:
    void clear() { closed_.next(); }
    bool contains(int idx) const { return closed_.has(idx); }
    // Only the first node closed on a cell is kept; a later one is appended after it.
    void append(int idx, uint8_t dir) {
        if (!closed_.has(idx)) {
            closed_.set(idx);
            dir_[idx] = dir;
        }
    }
    uint8_t dirAt(int idx) const { return dir_[idx]; }

private:
    CellStamps closed_;
    std::array<uint8_t, PlaneCells> dir_{};
};

class TargetList {
public:
    void clear();
    void append(int32_t col, int32_t row);
    bool contains(int idx) const { return member_.has(idx); }
    size_t size() const { return cells_.size(); }
    // The head of the ranking after ranking by distance from (refCol, refRow).
    void choose(int32_t refCol, int32_t refRow, int32_t& col, int32_t& row);

private:
    struct Cell {
        int32_t col;
        int32_t row;
    };
    bool rankedBefore(size_t a, size_t b) const;

    std::vector<Cell> cells_;      // scan order
    std::vector<Cell> references_; // reference cell of every ranking of this fill
    std::vector<size_t> ties_;
    CellStamps member_;
};

} // namespace zelta
