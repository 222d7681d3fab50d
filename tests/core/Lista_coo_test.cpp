// The cell list's out-entry and cursor rules, its duplicates, its stable sort and value changes
// made while it is being walked.
#include "core/Lista_coo.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace zelta {
namespace {

using Entry = std::tuple<int32_t, int32_t, int32_t>;
using Entries = std::vector<Entry>;

Entry entry(const coord& e) {
    return {e.col, e.row, e.value};
}

Entries walk(ListaCoord& list) {
    Entries seen;
    coord e{};
    for (bool more = list.first(e); more; more = list.next(e))
        seen.push_back(entry(e));
    return seen;
}

TEST(ListaCoord, AnEmptyListZeroesColAndRowOfTheOutEntryButNotItsValue) {
    ListaCoord list;
    list.append(4, 4, 4);
    list.clear();
    coord e{7, 8, 9};
    EXPECT_FALSE(list.first(e));
    EXPECT_EQ(entry(e), Entry(0, 0, 9));
    e = {7, 8, 9};
    EXPECT_FALSE(list.next(e));
    EXPECT_EQ(entry(e), Entry(0, 0, 9));
}

TEST(ListaCoord, NextPastTheLastEntryZeroesColAndRowAndKeepsReturningFalse) {
    ListaCoord list;
    list.append(1, 2, 3);
    list.append(4, 5, 6);
    coord e{};
    ASSERT_TRUE(list.first(e));
    ASSERT_TRUE(list.next(e));
    EXPECT_EQ(entry(e), Entry(4, 5, 6));
    EXPECT_FALSE(list.next(e));
    EXPECT_EQ(entry(e), Entry(0, 0, 6));
    EXPECT_FALSE(list.next(e));
    // first starts a new walk from the front.
    ASSERT_TRUE(list.first(e));
    EXPECT_EQ(entry(e), Entry(1, 2, 3));
}

TEST(ListaCoord, FindTakesTheEntryNearestTheFrontAndSetValueChangesEveryCopy) {
    ListaCoord list;
    list.append(3, 3, 10);
    list.append(5, 5, 20);
    list.append(3, 3, 30);

    coord probe{3, 3, -1};
    ASSERT_TRUE(list.find(probe));
    EXPECT_EQ(probe.value, 10);

    list.setValue(3, 3, 99);
    list.setValue(8, 8, 77); // absent: nothing is added
    EXPECT_EQ(walk(list), (Entries{{3, 3, 99}, {5, 5, 20}, {3, 3, 99}}));

    coord absent{8, 8, -1};
    EXPECT_FALSE(list.find(absent));
    EXPECT_EQ(entry(absent), Entry(8, 8, -1));
}

TEST(ListaCoord, SortByValueKeepsTheOrderOfEqualValues) {
    ListaCoord list;
    list.append(5, 5, 7);
    list.append(1, 1, 3);
    list.append(2, 2, 7);
    list.append(3, 3, 3);
    list.sortByValue();
    EXPECT_EQ(walk(list), (Entries{{1, 1, 3}, {3, 3, 3}, {5, 5, 7}, {2, 2, 7}}));
}

TEST(ListaCoord, SortByValueIsStableOnLongListsToo) {
    // Long enough that a sort which is stable only on short runs shows itself.
    ListaCoord list;
    for (int i = 0; i < 100; ++i)
        list.append(i, 0, (i * 7) % 3);
    list.sortByValue();
    Entries expected;
    for (int value = 0; value < 3; ++value)
        for (int i = 0; i < 100; ++i)
            if ((i * 7) % 3 == value)
                expected.emplace_back(i, 0, value);
    EXPECT_EQ(walk(list), expected);
}

TEST(ListaCoord, SetValueDuringAWalkVisitsEveryEntryOnce) {
    ListaCoord list;
    for (int i = 1; i <= 4; ++i)
        list.append(i, i, 0);
    Entries seen;
    coord e{};
    for (bool more = list.first(e); more; more = list.next(e)) {
        seen.push_back(entry(e));
        list.setValue(e.col, e.row, e.col * 10);
        if (e.col == 1)
            list.setValue(4, 4, 1); // an entry ahead of the cursor
    }
    EXPECT_EQ(seen, (Entries{{1, 1, 0}, {2, 2, 0}, {3, 3, 0}, {4, 4, 1}}));
    EXPECT_EQ(walk(list), (Entries{{1, 1, 10}, {2, 2, 20}, {3, 3, 30}, {4, 4, 40}}));
}

TEST(ListaCoord, FirstAtMostStopsWhereAWalkWouldAndFollowsEveryValueChange) {
    ListaCoord list;
    list.append(1, 1, 50);
    list.append(2, 2, 10);
    list.append(3, 3, 30);
    list.append(2, 2, 10);
    coord e{9, 9, 9};
    ASSERT_TRUE(list.firstAtMost(30, e));
    EXPECT_EQ(entry(e), Entry(2, 2, 10));
    // The cursor is on that entry: next goes on from it.
    ASSERT_TRUE(list.next(e));
    EXPECT_EQ(entry(e), Entry(3, 3, 30));

    list.setValue(2, 2, 99); // raised: both copies leave
    ASSERT_TRUE(list.firstAtMost(30, e));
    EXPECT_EQ(entry(e), Entry(3, 3, 30));
    list.setValue(1, 1, 5); // lowered: the front entry comes in
    ASSERT_TRUE(list.firstAtMost(30, e));
    EXPECT_EQ(entry(e), Entry(1, 1, 5));

    e = {9, 9, 9};
    EXPECT_FALSE(list.firstAtMost(4, e));
    EXPECT_EQ(entry(e), Entry(0, 0, 9));
    list.clear();
    EXPECT_FALSE(list.firstAtMost(INT32_MAX, e));
}

TEST(ListaCoord, RewritingValuesGivesWhatAWalkWithSetValueGives) {
    // A walk that sets each entry's cell to its value less one: the cell met twice loses two,
    // counted from its first entry's value; the others one.
    ListaCoord list;
    list.append(1, 1, 5);
    list.append(2, 2, 7);
    list.append(1, 1, 9);
    list.append(3, 3, 0);
    list.rewriteValues([](int32_t v) { return v - 1; });
    EXPECT_EQ(walk(list), (Entries{{1, 1, 3}, {2, 2, 6}, {1, 1, 3}, {3, 3, -1}}));

    // The index follows the sort and the removal of a cell.
    list.sortByValue();
    list.removeCells({{3, 3, 0}, {8, 8, 0}});
    list.setValue(1, 1, 40);
    coord probe{1, 1, 0};
    ASSERT_TRUE(list.find(probe));
    EXPECT_EQ(probe.value, 40);
    EXPECT_EQ(walk(list), (Entries{{1, 1, 40}, {1, 1, 40}, {2, 2, 6}}));
}

} // namespace
} // namespace zelta
