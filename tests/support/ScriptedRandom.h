#pragma once

#include "Random.h"

#include <cstddef>
#include <vector>

// Feeds the given values to varlen::randomValue() in order (repeating the last one when
// they run out) and counts the draws. Restores the C library source when destroyed.
class ScriptedRandom {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values))
    {
        varlen::setRandomSource([this] {
            const int v = values_.empty() ? 0
                          : draws_ < values_.size() ? values_[draws_]
                                                    : values_.back();
            ++draws_;
            return v;
        });
    }
    ~ScriptedRandom() { varlen::setRandomSource({}); }
    ScriptedRandom(const ScriptedRandom &) = delete;
    ScriptedRandom &operator=(const ScriptedRandom &) = delete;

    std::size_t draws() const { return draws_; }

private:
    std::vector<int> values_;
    std::size_t draws_ = 0;
};
