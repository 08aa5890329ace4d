#include "engine/recording_sound.h"

namespace zn {

std::string_view sampleName(Sample s) {
    switch (s) {
        case Sample::Bonus:
            return "Bonus";
        case Sample::Energizer:
            return "Energizer";
        case Sample::Ghost:
            return "Ghost";
        case Sample::Miss:
            return "Miss";
        case Sample::Pill:
            return "Pill";
        case Sample::Pill_Alt:
            return "Pill_Alt";
        case Sample::Stage:
            return "Stage";
        case Sample::Start:
            return "Start";
    }
    return "";
}

}  // namespace zn
