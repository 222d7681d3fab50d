// The bucket grid meets every two overlapping boxes exactly once, whatever their sizes: the same
// pairs as a comparison of every box with every other.
#include "core/BoxGrid.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

namespace zelta {
namespace {

std::set<std::pair<size_t, size_t>> everyPair(const std::vector<Box>& boxes) {
    std::set<std::pair<size_t, size_t>> pairs;
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
            if (boxes[i].overlaps(boxes[j]))
                pairs.emplace(i, j);
    return pairs;
}

TEST(BoxGrid, MeetsEveryOverlappingPairOnceWhateverTheSizes) {
    std::mt19937 random(7);
    auto box = [&](double size) {
        const double x = random() % 1000, y = random() % 500;
        return Box{x, y, x + size, y + size};
    };
    for (int round = 0; round < 20; ++round) {
        std::vector<Box> boxes;
        for (int i = 0; i < 400; ++i)
            boxes.push_back(box(1 + random() % 30));
        // Pieces far larger than the rest, and boxes that only touch at an edge or a corner.
        for (int i = 0; i < round % 4; ++i)
            boxes.push_back(box(300 + random() % 2000));
        boxes.push_back({10, 10, 20, 20});
        boxes.push_back({20, 20, 30, 30});
        boxes.push_back({20, 5, 25, 10});
        std::set<std::pair<size_t, size_t>> met;
        size_t visits = 0;
        BoxGrid(boxes).forEachPair([&](size_t i, size_t j) {
            EXPECT_LT(i, j);
            met.emplace(i, j);
            ++visits;
        });
        EXPECT_EQ(visits, met.size()) << "a pair met twice";
        EXPECT_EQ(met, everyPair(boxes)) << "round " << round;
    }
}

TEST(BoxGrid, BoxesOnOnePointOrNoneAtAllAreNoTrouble) {
    size_t visits = 0;
    BoxGrid(std::vector<Box>{}).forEachPair([&](size_t, size_t) { ++visits; });
    EXPECT_EQ(visits, 0u);
    const std::vector<Box> stacked(50, Box{5, 5, 5, 5});
    BoxGrid(stacked).forEachPair([&](size_t, size_t) { ++visits; });
    EXPECT_EQ(visits, 50u * 49 / 2);
}

} // namespace
} // namespace zelta
