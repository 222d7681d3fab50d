// The joined groups of a net's pads: counted once each, the largest first by pads and then by the
// earlier pad, and only among the groups a caller allows.
#include "router/grid/PadGroups.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta::testing {
namespace {

struct FivePads {
    // Pads at cells 10..14; 10 and 11 joined, 12 alone, 13 and 14 joined.
    FivePads() {
        sets.clear();
        for (int cell : pads)
            sets.add(cell);
        sets.unite(10, 11);
        sets.unite(13, 14);
    }
    int count(PadGroups& groups) {
        return groups.count(sets, static_cast<int>(pads.size()), [this](int i) { return pads[i]; });
    }
    std::vector<int> pads{10, 11, 12, 13, 14};
    CellSets sets;
};

TEST(PadGroups, EachGroupIsCountedOnceAtItsFirstPad) {
    FivePads f;
    PadGroups groups;
    EXPECT_EQ(f.count(groups), 3);
    ASSERT_EQ(groups.groups().size(), 3u);
    EXPECT_EQ(groups.groups()[0].firstPad, 0);
    EXPECT_EQ(groups.groups()[1].firstPad, 2);
    EXPECT_EQ(groups.groups()[2].firstPad, 3);
    EXPECT_EQ(groups.mostPads(), 2);
    EXPECT_TRUE(groups.holdsPad(f.sets.find(12)));
    EXPECT_FALSE(groups.holdsPad(20));
}

TEST(PadGroups, TheLargestGroupWinsAndATieGoesToTheEarlierPad) {
    FivePads f;
    PadGroups groups;
    f.count(groups);
    EXPECT_EQ(groups.largest([](const PadGroups::Group&) { return true; }), f.sets.find(10));
    const int withoutFirst =
        groups.largest([&](const PadGroups::Group& g) { return g.root != f.sets.find(10); });
    EXPECT_EQ(withoutFirst, f.sets.find(13));
    EXPECT_EQ(groups.largest([](const PadGroups::Group&) { return false; }), -1);
}

TEST(PadGroups, AGroupIsUntriedWhileOneOfItsPadsIs) {
    FivePads f;
    PadGroups groups;
    groups.count(
        f.sets, 5, [&](int i) { return f.pads[i]; }, [](int i) { return i == 1 || i == 2; });
    EXPECT_TRUE(groups.groups()[0].untried);
    EXPECT_TRUE(groups.groups()[1].untried);
    EXPECT_FALSE(groups.groups()[2].untried);
}

} // namespace
} // namespace zelta::testing
