// The jumper mode around a routing method: the method routes its lap, then the jumper pass joins
// what the lap left apart, by copper where copper still finds a way and by jumpers where it does
// not, and the lap is scored again. Works the same around either method; with the mode off it
// still serves a drawing that has jumpers, laying none.
#pragma once

#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Jumper.h"
#include "core/Lista_coo.h"
#include "router/RoutingMethod.h"
#include "router/jumpers/JumperPass.h"
#include "router/jumpers/JumperTuning.h"
#include "router/model/BoardModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zelta {

class JumperMode : public RoutingMethod {
public:
    JumperMode() = default;
    // Around a method of its own.
    explicit JumperMode(std::unique_ptr<RoutingMethod> method)
        : owned_(std::move(method)), inner(owned_.get()) {}

private:
    std::unique_ptr<RoutingMethod> owned_;

public:
    // The method the laps are routed with; set before the run begins.
    RoutingMethod* inner = nullptr;

    void beginRun() override;
    std::optional<LapOutcome> routeLap(RunControl& control, int32_t lapIndex) override;
    void endLap() override { inner->endLap(); }
    const JumperList& lapJumpers() const override { return pass_.jumpers(); }

    // The value of a lap of this board with so many connections open and jumpers laid.
    int32_t valueOf(int32_t open, int32_t jumpers, int64_t length) const;
    // Search work of the pass since the run began.
    int64_t work() const { return pass_.work() + other_.work(); }

    MethodLinks links;

private:
    // The pass on a plane after its copper joins: jumpers, rip-up and the jumpers' shedding, with
    // a rip-up that lays no jumper first when firstWithoutJumpers. False when keepGoing said no.
    bool finishPass(JumperPass& pass, bool firstWithoutJumpers, const std::function<bool()>& keepGoing);
    // Whether a plane with so many joins missing, each taking a jumper at least, and so long tracks
    // could still be better than the best lap.
    bool couldBeBest(int32_t jumpersAtLeast, int64_t length) const;
    int32_t valueOf(const JumperPass& pass) const {
        return valueOf(pass.missing(), static_cast<int32_t>(pass.jumpers().size()), pass.trackLength());
    }

    // Two passes from the same plane, one on the work plane and one on a copy, on two threads:
    // which one ends better differs from lap to lap.
    JumperPass pass_;
    JumperPass other_;
    BoardModel ownModel_; // when the method builds none
    std::vector<int32_t> otherPlane_ = std::vector<int32_t>(PlaneCells, 0);
    int32_t bestValue_ = 0;
    bool haveBest_ = false;
    int32_t methodBest_ = 0; // the method's own value of its best lap
    bool haveMethodBest_ = false;
    int32_t budget_ = 0; // jumpers a lap may lay
    // The best lap's jumpers, and those the method lays its laps out around.
    JumperList bestJumpers_;
    JumperList seeded_;
    size_t leftOut_ = 0; // which of the best lap's jumpers the next lap does without
    bool seeding_ = false;
    int32_t seededLaps_ = 0;
};

} // namespace zelta
