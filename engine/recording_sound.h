#pragma once
// A sound backend that plays nothing and records every call, for tests and the
// script driver. An optional listener hears each call as it is made.
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/services.h"

namespace zn {

// The sample's name as the sound files and the script driver call it ("Pill_Alt").
std::string_view sampleName(Sample s);

struct SoundCall {
    std::optional<Sample> sample;  // nothing for a silence
    bool operator==(const SoundCall&) const = default;
};

class RecordingSound : public SoundService {
public:
    void play(Sample s) override { record({s}); }
    void silence() override { record({}); }

    std::vector<SoundCall> calls;
    bool keepCalls = true;  // false: only the listener hears them
    std::function<void(const SoundCall&)> listener;

private:
    void record(const SoundCall& c) {
        if (keepCalls) calls.push_back(c);
        if (listener) listener(c);
    }
};

}  // namespace zn
