#pragma once
// The pseudo-random source of the ghosts, seeded from the clock.
#include <random>

#include "engine/services.h"

namespace zn {

class ClockRandom : public RandomService {
public:
    ClockRandom() { Randomize(); }
    // Seeds the generator from the clock and the system's entropy source.
    void Randomize();
    int draw4() override;

private:
    std::mt19937 gen_;
};

}  // namespace zn
