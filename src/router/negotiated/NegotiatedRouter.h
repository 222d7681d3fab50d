// The negotiated routing method: rip-up and re-route in laps, shared cells priced by present and
// history congestion, a legal copy of every lap repaired, scored, and the best one kept. Two
// workers with different ways of pricing route each lap side by side; the better legal result is
// the lap's.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "router/RoutingMethod.h"
#include "router/model/BoardModel.h"
#include "router/negotiated/NegotiatedBoard.h"
#include "router/negotiated/NegotiatedWorker.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace zelta {

class NegotiatedRouter : public RoutingMethod {
public:
    NegotiatedRouter();
    ~NegotiatedRouter() override;

    void beginRun() override;
    std::optional<LapOutcome> routeLap(RunControl& control, int32_t lapIndex) override;
    bool keepsClearance() const override { return true; }
    // The board is built again with the jumpers' pads; the workers keep their negotiated tracks
    // and their history, and make their legal copy afresh.
    bool takesSeededJumpers() const override { return true; }
    void seedJumpers(const JumperList& jumpers) override;
    const BoardModel* boardModel() const override { return &model_; }

    // The value of a lap with this score: pads joined weigh more than any track length.
    int32_t valueOf(const LapScore& score) const;

    MethodLinks links;

private:
    // Writes the worker's legal tracks over the base plane into the work plane, marking each
    // branch as the classic router marks a path.
    void writeWorkPlane(const Tracks& tracks);
    // The board from the base plane and the work list, with the drawing's jumpers joining their
    // ends and the pads of the jumpers given.
    void buildBoard(const JumperList& jumpers);
    // Each net's step rules and the track spacing, from the board model; with jumpers given, step
    // rules of the method's own in which their lands count as pads.
    void buildStepRules(const JumperList& jumpers);

    // The base plane with the pads of the jumpers seeded, and the work list with their ends: what
    // the board is built from, and what each lap's plane starts from.
    std::vector<int32_t> seedPlane_ = std::vector<int32_t>(PlaneCells, 0);
    ListaCoord seedList_;
    BoardModel model_;
    NegotiatedBoard board_;
    GridStepRules stepRules_; // with the seeded jumpers' lands
    // The drawing's pads with the seeded jumpers' lands, while there are any.
    std::vector<PlacedPad> padsWithLands_;
    DrawingCopper copperWithLands_;
    std::unique_ptr<NegotiatedWorker> first_;
    std::unique_ptr<NegotiatedWorker> second_;
    int32_t bestValue_ = 0;
    bool haveBest_ = false;
    int32_t idleLaps_ = 0;
    // Laid out around jumpers: the one who seeded them says when the run is done.
    bool seeded_ = false;
};

} // namespace zelta
