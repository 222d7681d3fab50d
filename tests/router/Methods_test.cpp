// The factory builds the method the settings name, inside the jumper mode when the mode is on or
// the drawing has jumpers of its own.
#include "router/Methods.h"

#include "router/RouterTestBoard.h"
#include "router/classic/Aprizelta.h"
#include "router/jumpers/JumperMode.h"
#include "router/negotiated/NegotiatedRouter.h"

#include <gtest/gtest.h>

namespace zelta::testing {
namespace {

std::unique_ptr<RoutingMethod> built(TestBoard& board, const JumperList* existing = nullptr) {
    return makeRoutingMethod({board.grid.get(), &board.workList, &board.settings, &board.host, existing});
}

TEST(Methods, MetodoNamesTheClassicOrTheNegotiatedMethod) {
    TestBoard board(20, 10);
    board.settings.metodo = 0;
    EXPECT_NE(dynamic_cast<ApriZelta*>(built(board).get()), nullptr);
    board.settings.metodo = 1;
    EXPECT_NE(dynamic_cast<NegotiatedRouter*>(built(board).get()), nullptr);
}

TEST(Methods, TheJumperModeWrapsTheMethodWhenOnOrWhenTheDrawingHasJumpers) {
    TestBoard board(20, 10);
    board.settings.metodo = 1;
    board.settings.ponticelli = true;
    const std::unique_ptr<RoutingMethod> method = built(board);
    auto* mode = dynamic_cast<JumperMode*>(method.get());
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->inner->takesSeededJumpers());

    board.settings.ponticelli = false;
    const JumperList drawn{{1, 2, 2, 6, 2}};
    EXPECT_NE(dynamic_cast<JumperMode*>(built(board, &drawn).get()), nullptr);
    const JumperList none;
    EXPECT_EQ(dynamic_cast<JumperMode*>(built(board, &none).get()), nullptr);
}

TEST(Methods, TheClassicReadsItsOwnOptionsFromTheSettings) {
    TestBoard board(20, 10);
    board.settings.giriv = 0;
    board.settings.ricalct = 1;
    board.settings.pcurva = 4;
    board.settings.pdiag = 4;
    const std::unique_ptr<RoutingMethod> method = built(board);
    const auto* classic = dynamic_cast<ApriZelta*>(method.get());
    ASSERT_NE(classic, nullptr);
    EXPECT_EQ(classic->fastLaps, fastLapsFor(0));
    EXPECT_EQ(classic->retargetEvery, retargetEveryFor(1));
    EXPECT_EQ(classic->bendPenalty, bendPenaltyFor(4));
    EXPECT_EQ(classic->diagonalPenalty, diagonalPenaltyFor(4));
}

} // namespace
} // namespace zelta::testing
