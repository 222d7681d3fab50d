// Which pads of a net the copper and the jumpers join, and the rat lines that would join the rest:
// groups by a union-find over the plane's track steps and then over the jumpers, rat lines by a
// minimum spanning tree over the groups.
#include "render/BoardPicture.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <tuple>

namespace zelta {

namespace {

bool inGrid(int c, int r) {
    return c >= 0 && c < GridCols && r >= 0 && r < GridRows;
}

// Cells joined by track steps, with a union-find over the whole plane.
class CellGroups {
public:
    explicit CellGroups(const int32_t* plane) : parent_(PlaneCells) {
        std::iota(parent_.begin(), parent_.end(), 0);
        for (int c = 0; c < GridCols; ++c)
            for (int r = 0; r < GridRows; ++r) {
                const int32_t v = plane[GestScheda::index(c, r)];
                for (int d = 1; d <= 8; ++d) {
                    const int nc = c + Directions[d].dc;
                    const int nr = r + Directions[d].dr;
                    if ((v & Directions[d].bit) != 0 && inGrid(nc, nr))
                        join(GestScheda::index(c, r), GestScheda::index(nc, nr));
                }
            }
    }
    int root(int i) {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }

private:
    void join(int a, int b) { parent_[root(a)] = root(b); }
    std::vector<int> parent_;
};

// A candidate rat line between pads a < b. Ordered by length, then by the pads, so that every
// tie breaks the same way and the spanning tree is the same whichever group it grows from.
struct Link {
    int64_t length2;
    size_t a;
    size_t b;
    bool operator<(const Link& o) const { return std::tie(length2, a, b) < std::tie(o.length2, o.a, o.b); }
};

Link linkOf(const std::vector<PicturePad>& pads, size_t p, size_t q) {
    const int64_t dx = int64_t{pads[p].x} - pads[q].x;
    const int64_t dy = int64_t{pads[p].y} - pads[q].y;
    return {dx * dx + dy * dy, std::min(p, q), std::max(p, q)};
}

// The links of one net's spanning tree over its groups, grown from the group of its first pad.
// Each step scans the pads of the group just joined against the pads still outside: time goes
// with the square of the net's pads, memory with their number.
std::vector<Link> spanGroups(const std::vector<PicturePad>& pads, const std::vector<int>& groups,
                             const std::vector<size_t>& members) {
    std::map<int, size_t> slotOf;
    for (size_t p : members)
        slotOf.try_emplace(groups[p], slotOf.size());
    std::vector<bool> inTree(slotOf.size(), false);
    std::vector<std::optional<Link>> nearest(slotOf.size());
    std::vector<Link> links;
    int joined = groups[members.front()];
    for (size_t step = 1;; ++step) {
        inTree[slotOf[joined]] = true;
        for (size_t p : members) {
            if (groups[p] != joined)
                continue;
            for (size_t q : members) {
                const size_t slot = slotOf[groups[q]];
                if (inTree[slot])
                    continue;
                const Link l = linkOf(pads, p, q);
                if (!nearest[slot] || l < *nearest[slot])
                    nearest[slot] = l;
            }
        }
        if (step == slotOf.size())
            return links;
        std::optional<Link> next;
        for (size_t slot = 0; slot < nearest.size(); ++slot)
            if (!inTree[slot] && nearest[slot] && (!next || *nearest[slot] < *next))
                next = nearest[slot];
        links.push_back(*next);
        // The end of the link outside the tree names the group that joins it now.
        joined = inTree[slotOf[groups[next->a]]] ? groups[next->b] : groups[next->a];
    }
}

} // namespace

std::vector<int> padGroups(const std::vector<PicturePad>& pads, const int32_t* plane,
                           const std::vector<PictureJumper>& jumpers, const JumperList& cellLinks) {
    std::optional<CellGroups> cells;
    if (plane)
        cells.emplace(plane);
    // The first pad met on each joined piece of copper, by net: a track of one net that runs
    // over a pad of another joins nothing.
    std::map<std::pair<int32_t, int>, int> firstPad;
    std::vector<int> groups(pads.size(), -1);
    for (size_t i = 0; i < pads.size(); ++i) {
        const PicturePad& p = pads[i];
        if (p.net == 0 || !inGrid(p.col, p.row))
            continue;
        const int cell = GestScheda::index(p.col, p.row);
        const int piece = cells ? cells->root(cell) : cell;
        groups[i] = firstPad.try_emplace({p.net, piece}, static_cast<int>(i)).first->second;
    }
    if (jumpers.empty() && cellLinks.empty())
        return groups;

    // Groups a jumper links become one, named by the earliest pad among them: each root is the
    // smallest index of its set.
    std::vector<int> parent(pads.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](int i) {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    };
    const auto groupAt = [&](int32_t net, int32_t x, int32_t y) {
        for (size_t i = 0; i < pads.size(); ++i)
            if (groups[i] >= 0 && pads[i].net == net && pads[i].x == x && pads[i].y == y)
                return groups[i];
        return -1;
    };
    const auto link = [&](int a, int b) {
        if (a < 0 || b < 0)
            return;
        const int ra = root(a), rb = root(b);
        parent[std::max(ra, rb)] = std::min(ra, rb);
    };
    for (const PictureJumper& j : jumpers)
        link(groupAt(j.net, j.x1, j.y1), groupAt(j.net, j.x2, j.y2));
    // A cell joins the group of the first pad on its piece of copper.
    const auto groupOfCell = [&](int32_t net, int32_t col, int32_t row) {
        if (!inGrid(col, row))
            return -1;
        const int cell = GestScheda::index(col, row);
        const auto at = firstPad.find({net, cells ? cells->root(cell) : cell});
        return at == firstPad.end() ? -1 : at->second;
    };
    for (const Jumper& j : cellLinks)
        link(groupOfCell(j.net, j.col1, j.row1), groupOfCell(j.net, j.col2, j.row2));
    for (int& g : groups)
        if (g >= 0)
            g = root(g);
    return groups;
}

std::vector<bool> unconnectedPads(const std::vector<PicturePad>& pads, const std::vector<int>& groups) {
    std::map<int, int> size;
    for (int g : groups)
        if (g >= 0)
            ++size[g];
    // Groups are met in the order of their earliest pads, and only a larger one takes the lead.
    std::map<int32_t, int> largest;
    for (size_t i = 0; i < pads.size(); ++i)
        if (groups[i] >= 0) {
            int& lead = largest.try_emplace(pads[i].net, groups[i]).first->second;
            if (size[groups[i]] > size[lead])
                lead = groups[i];
        }
    std::vector<bool> result(pads.size(), false);
    for (size_t i = 0; i < pads.size(); ++i)
        result[i] = groups[i] >= 0 && groups[i] != largest[pads[i].net];
    return result;
}

std::vector<RatLine> ratLines(const std::vector<PicturePad>& pads, const std::vector<int>& groups) {
    std::map<int32_t, std::vector<size_t>> byNet;
    for (size_t i = 0; i < pads.size(); ++i)
        if (groups[i] >= 0)
            byNet[pads[i].net].push_back(i);
    std::vector<RatLine> rats;
    for (const auto& [net, members] : byNet) {
        std::vector<Link> links = spanGroups(pads, groups, members);
        std::sort(links.begin(), links.end());
        for (const Link& l : links)
            rats.push_back({pads[l.a].x, pads[l.a].y, pads[l.b].x, pads[l.b].y, net});
    }
    return rats;
}

} // namespace zelta
