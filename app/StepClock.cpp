#include "StepClock.h"

void StepClock::restart(std::int64_t nowNs)
{
    start = nowNs;
    run = 0;
}

int StepClock::stepsFor(std::int64_t nowNs)
{
    const std::int64_t elapsed = nowNs - start;
    if (elapsed <= 0)
        return 0; // a clock that went back (or a frame at the restart itself) owes nothing
    const std::int64_t due = (elapsed + kStepNs / 2) / kStepNs;
    const std::int64_t owed = due - run;
    if (owed <= 0)
        return 0;
    if (owed > kMaxStepsPerFrame) {
        // Forgive what lies beyond the bound: the steps after it are counted from here.
        start += (owed - kMaxStepsPerFrame) * kStepNs;
        run += kMaxStepsPerFrame;
        return kMaxStepsPerFrame;
    }
    run += owed;
    return int(owed);
}
