#pragma once
// A random source whose draws come first from a queue of forced values and then from
// a seeded generator; the same seed and the same forced values give the same game.
#include <cstdint>
#include <deque>
#include <random>

#include "engine/services.h"

namespace zn {

class QueuedRandom : public RandomService {
public:
    explicit QueuedRandom(std::uint64_t seed = 0) : generator_(seed) {}

    int draw4() override {
        if (!forced_.empty()) {
            const int v = forced_.front();
            forced_.pop_front();
            return v;
        }
        return static_cast<int>(generator_() >> 62);  // the top two bits: 0..3, uniform
    }

    // Reseeds the generator; forced values stay queued.
    void seed(std::uint64_t s) { generator_.seed(s); }
    // Values must be 0..3.
    void force(int v) { forced_.push_back(v); }
    std::size_t forcedLeft() const { return forced_.size(); }

private:
    std::mt19937_64 generator_;
    std::deque<int> forced_;
};

}  // namespace zn
