#pragma once

#include <functional>

// Every random draw of the program goes through here: values 0..32767 like the C
// library's rand(), always used as randomValue() % n. Tests seed it or script it.
namespace varlen {

int randomValue();

// Seeds the C library generator (the program itself never seeds).
void seedRandom(unsigned seed);

// Replaces the source of random values; an empty function restores rand().
void setRandomSource(std::function<int()> source);

} // namespace varlen
