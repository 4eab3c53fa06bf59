#include "FishPopulation.h"

#include "Fish.h"
#include "Random.h"

int liveFishCount(const int counts[kSpeciesCount])
{
    int total = 0;
    for (int j = 0; j < kSpeciesCount && total < kFishRecords; ++j)
        total += counts[j] > 0 ? counts[j] : 0;
    return total < kFishRecords ? total : kFishRecords;
}

int speciesOfRecord(const int counts[kSpeciesCount], int record)
{
    if (record < 0 || record >= liveFishCount(counts))
        return -1;
    int start = 0;
    for (int j = 0; j < kSpeciesCount; ++j) {
        const int count = counts[j] > 0 ? counts[j] : 0;
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
