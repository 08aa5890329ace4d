#include "shell/clockrandom.h"

#include <chrono>

namespace zn {

void ClockRandom::Randomize() {
    const auto now = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    std::random_device rd;
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32), rd()};
    gen_.seed(seq);
}

int ClockRandom::draw4() { return static_cast<int>(std::uniform_int_distribution<int>(0, 3)(gen_)); }

}  // namespace zn
