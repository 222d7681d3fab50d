// The chains of a drawing's kept tracks: which tracks touch, which pads a chain reaches, and the
// net it takes from them, on hand-made cases and on a routed board's worth of segments.
#include "core/KeptTracks.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta {
namespace {

PlacedPad roundPad(int32_t x, int32_t y, int32_t net) {
    return {x, y, 16, 16, 8, 0, net, x / 10, y / 10};
}

TEST(KeptTracks, ChainsTakeTheNetOfThePadsTheyTouchOrNoneOrAreShorts) {
    const std::vector<PlacedPad> pads = {roundPad(100, 100, 1), roundPad(300, 100, 1), roundPad(100, 300, 2),
                                         roundPad(300, 300, 3)};
    KeptTrackList tracks = {
        {100, 100, 200, 100, 4, 10}, // net 1, chained through the next one to a second pad of net 1
        {200, 100, 300, 100, 4, 11},
        {150, 200, 250, 200, 4, 12}, // touches nothing: no net
        {100, 300, 200, 300, 4, 13}, // nets 2 and 3 through the next one: a short
        {200, 300, 300, 300, 4, 14},
        {100, 110, 100, 140, -4, 15}, // as wide with a negative width: it reaches a net-1 pad
    };
    const std::vector<int32_t> shorts = keptTrackNets(tracks, pads);
    EXPECT_EQ(shorts, std::vector<int32_t>{3});
    EXPECT_EQ(tracks[0].chain, 0);
    EXPECT_EQ(tracks[1].chain, 0);
    // A pad joins no chains: the last track touches the first pad but none of the tracks.
    EXPECT_EQ(tracks[5].chain, 5);
    EXPECT_EQ(tracks[5].pads, std::vector<int32_t>{0});
    EXPECT_EQ(tracks[0].pads, (std::vector<int32_t>{0, 1}));
    for (int i : {0, 1, 5})
        EXPECT_EQ(tracks[i].net, 1) << i;
    EXPECT_EQ(tracks[2].net, 0);
    EXPECT_FALSE(tracks[2].shorted);
    EXPECT_TRUE(tracks[2].pads.empty());
    for (int i : {3, 4}) {
        EXPECT_EQ(tracks[i].net, 0) << i;
        EXPECT_TRUE(tracks[i].shorted) << i;
        EXPECT_EQ(tracks[i].chain, 3) << i;
    }
    EXPECT_EQ(tracks[3].pads, (std::vector<int32_t>{2, 3}));
}

TEST(KeptTracks, ARoutedBoardsWorthOfSegmentsFormsItsChains) {
    // 400 nets, each a chain of 100 short segments between two pads: 40 000 tracks, each chain
    // 20 units from the ones beside it, none of them touching.
    std::vector<PlacedPad> pads;
    KeptTrackList tracks;
    for (int32_t net = 1; net <= 400; ++net) {
        const int32_t y = 20 * net;
        pads.push_back({0, y, 4, 4, 0, 0, net, 0, 0});
        pads.push_back({1000, y, 4, 4, 0, 0, net, 0, 0});
        for (int32_t k = 0; k < 100; ++k)
            tracks.push_back({10 * k, y, 10 * (k + 1), y, 4, 0});
    }
    EXPECT_TRUE(keptTrackNets(tracks, pads).empty());
    for (size_t i = 0; i < tracks.size(); ++i) {
        ASSERT_EQ(tracks[i].net, static_cast<int32_t>(i / 100 + 1)) << i;
        ASSERT_EQ(tracks[i].chain, static_cast<int32_t>(i / 100 * 100)) << i;
    }
    EXPECT_EQ(tracks[100].pads, (std::vector<int32_t>{2, 3}));
}

} // namespace
} // namespace zelta
