#include "Random.h"

#include <cstdlib>
#include <utility>

namespace varlen {
namespace {
std::function<int()> &source()
{
    static std::function<int()> fn;
    return fn;
}
} // namespace

int randomValue()
{
    auto &fn = source();
    return fn ? fn() : std::rand() % 32768;
}

void seedRandom(unsigned seed) { std::srand(seed); }

void setRandomSource(std::function<int()> fn) { source() = std::move(fn); }

} // namespace varlen
