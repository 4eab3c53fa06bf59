#include "FishPopulation.h"

#include "Fish.h"
#include "Random.h"

#include <algorithm>

namespace {

// A species' count as the records read it: below 0 as none, and never more than there
// are records, so sums of counts stay small.
int recordsOf(int count) { return std::clamp(count, 0, kFishRecords); }

} // namespace

int liveFishCount(const int counts[kSpeciesCount])
{
    int total = 0;
    for (int j = 0; j < kSpeciesCount && total < kFishRecords; ++j)
        total += recordsOf(counts[j]);
    return total < kFishRecords ? total : kFishRecords;
}

int speciesOfRecord(const int counts[kSpeciesCount], int record)
{
    if (record < 0 || record >= liveFishCount(counts))
        return -1;
    int start = 0;
    for (int j = 0; j < kSpeciesCount; ++j) {
        const int count = recordsOf(counts[j]);
        if (record < start + count)
            return j;
        start += count;
    }
    return -1;
}

void placeFish(Fish (&fish)[kFishRecords], float tankYMax, float tankYMin)
{
    for (Fish &f : fish) {
        f.x = static_cast<float>(varlen::randomValue() % 100 - 50);
        f.y = static_cast<float>(varlen::randomValue() % 30 - 15);
        f.z = static_cast<float>(varlen::randomValue() % 20 - 80);
        f.setSwimBounds(-50.0f, 50.0f, tankYMax - 10.0f, tankYMin + 6.0f, -80.0f, -60.0f);
    }
}
