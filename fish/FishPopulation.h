#pragma once

#include "Settings.h" // kSpeciesCount

class Fish;

// The 25 fish records and the per-species counts that decide which of them swim.
//
// With N = the sum of the counts (each count below 0 read as 0), records 0 .. N-1 are
// live in species order: species j owns records start(j) .. start(j) + count(j) - 1,
// start(j) being the sum of the counts below j. At most 25 records are live; when the
// counts add up to more than 25 the records past the 25th simply do not exist, and the
// species whose share lies beyond them are not shown.

inline constexpr int kFishRecords = 25;

// min(sum of counts, 25).
int liveFishCount(const int counts[kSpeciesCount]);

// Species of live record `record`, or -1 when the record is not live.
int speciesOfRecord(const int counts[kSpeciesCount], int record);

// Scene set-up: for each of the 25 records in index order, live or not, a random
// position (x -50..49, y -15..14, z -80..-61, drawn in this order) and the swimming
// box setSwimBounds(-50, 50, tankYMax - 10, tankYMin + 6, -80, -60).
void placeFish(Fish (&fish)[kFishRecords], float tankYMax, float tankYMin);
