// The rules every routed plane keeps, checked cell by cell.
#include "router/Legality.h"

#include "core/Init_obj.h"

namespace zelta {

namespace {

std::string at(const char* what, int c, int r) {
    return std::string(what) + " at (" + std::to_string(c) + "," + std::to_string(r) + ")";
}

} // namespace

std::string legalityFault(const int32_t* base, const int32_t* plane, int32_t cols, int32_t rows) {
    auto inBoard = [&](int c, int r) { return c >= 1 && c < cols && r >= 1 && r < rows; };
    for (int c = 0; c < GridCols; ++c) {
        for (int r = 0; r < GridRows; ++r) {
            const int idx = GestScheda::index(c, r);
            const int32_t v = plane[idx];
            if ((v & TrackMask) == 0)
                continue;
            if (!inBoard(c, r))
                return at("a track off the board", c, r);
            const int32_t net = v & NetMask;
            if (net == 0)
                return at("a track without a net", c, r);
            const int32_t b = base[idx];
            if ((b & OccupiedMask) != 0 && (b & NetMask) != net)
                return at("a track on another net's pad", c, r);
            for (int d = 1; d <= 8; ++d) {
                if ((v & Directions[d].bit) == 0)
                    continue;
                const int nc = c + Directions[d].dc;
                const int nr = r + Directions[d].dr;
                if (!inBoard(nc, nr))
                    return at("a step off the board", c, r);
                if ((plane[GestScheda::index(nc, nr)] & NetMask) != net)
                    return at("a step into another net", c, r);
            }
        }
    }
    auto has = [&](int c, int r, int d) { return (plane[GestScheda::index(c, r)] & Directions[d].bit) != 0; };
    for (int c = 1; c + 1 < cols; ++c) {
        for (int r = 1; r + 1 < rows; ++r) {
            const bool falling = has(c, r, 4) || has(c + 1, r + 1, 8);
            const bool rising = has(c + 1, r, 6) || has(c, r + 1, 2);
            if (falling && rising)
                return at("crossing diagonals in the square", c, r);
            // A diagonal passes close to the square's other two corners: a pad centre there
            // belongs to the diagonal's own net (a pad too small for a pad area still reaches it).
            auto foreignCentre = [&](int cc, int rr, int32_t net) {
                const int32_t b = base[GestScheda::index(cc, rr)];
                return (b & PadCentre) != 0 && (b & NetMask) != net;
            };
            if (falling) {
                const int32_t net = plane[GestScheda::index(c, r)] & NetMask;
                if (foreignCentre(c + 1, r, net) || foreignCentre(c, r + 1, net))
                    return at("a diagonal past another net's pad in the square", c, r);
            }
            if (rising) {
                const int32_t net = plane[GestScheda::index(c + 1, r)] & NetMask;
                if (foreignCentre(c, r, net) || foreignCentre(c + 1, r + 1, net))
                    return at("a diagonal past another net's pad in the square", c, r);
            }
        }
    }
    return {};
}

} // namespace zelta
