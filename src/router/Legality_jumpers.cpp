// The rules every jumper of a routed plane keeps, checked jumper by jumper and pair by pair.
#include "router/Legality.h"

#include "core/Init_obj.h"

#include <algorithm>
#include <cstdlib>

namespace zelta {

namespace {

std::string at(const char* what, const Jumper& j) {
    return std::string(what) + " (" + std::to_string(j.col1) + "," + std::to_string(j.row1) + ")-(" +
           std::to_string(j.col2) + "," + std::to_string(j.row2) + ")";
}

// The cells from one end to the other, both included.
template <class F> bool anyCell(const Jumper& j, F f) {
    const int dc = (j.col2 > j.col1) - (j.col2 < j.col1);
    const int dr = (j.row2 > j.row1) - (j.row2 < j.row1);
    for (int c = j.col1, r = j.row1;; c += dc, r += dr) {
        if (f(c, r))
            return true;
        if (c == j.col2 && r == j.row2)
            return false;
    }
}

} // namespace

std::string jumperFault(const int32_t* base, const int32_t* plane, int32_t cols, int32_t rows,
                        const JumperList& jumpers) {
    auto inBoard = [&](int c, int r) { return c >= 1 && c < cols && r >= 1 && r < rows; };
    for (const Jumper& j : jumpers) {
        if ((j.col1 != j.col2) == (j.row1 != j.row2))
            return at("a jumper neither across nor down", j);
        if (j.length() < 3)
            return at("a jumper shorter than 3 steps", j);
        if (!inBoard(j.col1, j.row1) || !inBoard(j.col2, j.row2))
            return at("a jumper off the board", j);
        for (auto [c, r] : {std::pair{j.col1, j.row1}, std::pair{j.col2, j.row2}}) {
            if ((base[GestScheda::index(c, r)] & OccupiedMask) != 0)
                return at("a jumper end on a pad", j);
            if ((plane[GestScheda::index(c, r)] & (NetMask | PadCentre)) != (j.net | PadCentre))
                return at("a jumper end without its pad", j);
            for (int d = 1; d <= 8; ++d) {
                const int idx = GestScheda::index(c + Directions[d].dc, r + Directions[d].dr);
                if ((base[idx] & OccupiedMask) != 0 && (base[idx] & NetMask) != j.net)
                    return at("a jumper pad on another net's pad", j);
                if ((plane[idx] & NetMask) != j.net || (plane[idx] & PadArea) == 0)
                    return at("a jumper pad on another net's copper", j);
            }
        }
        const bool overCentre = anyCell(j, [&](int c, int r) {
            const bool end = (c == j.col1 && r == j.row1) || (c == j.col2 && r == j.row2);
            return !end && (plane[GestScheda::index(c, r)] & PadCentre) != 0;
        });
        if (overCentre)
            return at("a jumper over a pad centre", j);
    }
    for (size_t a = 0; a < jumpers.size(); ++a) {
        for (size_t b = a + 1; b < jumpers.size(); ++b) {
            const Jumper& p = jumpers[a];
            const Jumper& q = jumpers[b];
            // Pads of two jumpers keep a cell apart, as every pad's area does.
            for (auto [c1, r1] : {std::pair{p.col1, p.row1}, std::pair{p.col2, p.row2}})
                for (auto [c2, r2] : {std::pair{q.col1, q.row1}, std::pair{q.col2, q.row2}})
                    if (std::max(std::abs(c1 - c2), std::abs(r1 - r2)) < 2)
                        return at("jumper pads too close", q);
            const bool touch = anyCell(p, [&](int c, int r) {
                return anyCell(q, [&](int c2, int r2) { return c == c2 && r == r2; });
            });
            if (touch)
                return at("jumper wires that touch", q);
        }
    }
    return {};
}

} // namespace zelta
