#pragma once

#include <cstdint>

// Paces the simulation by the wall clock: the scene advances one step per 10 ms of
// drawing time, however often frames are drawn. Before each frame the view asks how many
// steps to run, runs them (no drawing between them) and draws once.
//
// Times are nanoseconds of a monotonic clock the caller reads (the view's QElapsedTimer),
// so tests drive it with any times they like.
class StepClock {
public:
    static constexpr std::int64_t kStepNs = 10'000'000; // one step: 10 ms
    // The most steps made up before one frame: 200 ms. After a stall (a slow frame, a
    // suspended machine) the rest of the time owed is dropped, not fast-forwarded.
    static constexpr int kMaxStepsPerFrame = 20;

    // Drawing (re)starts at nowNs: nothing is owed for the time before, so a pause runs
    // no steps and makes none up.
    void restart(std::int64_t nowNs);

    // The steps to run before the frame drawn at nowNs: the whole steps of time since the
    // restart, rounded to the nearest, not run yet; 0 .. kMaxStepsPerFrame. Frames on a
    // 10 ms tick get exactly one each, even when the tick comes a few milliseconds early
    // or late; frames closer together than a step get none now and then.
    int stepsFor(std::int64_t nowNs);

private:
    std::int64_t start = 0; // ns; moved on by the time forgiven after a stall
    std::int64_t run = 0;   // steps handed out since start
};
