#include "controls/pointerholds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zn {
namespace {

// One step of the page's pointers and keys; what it asks the host to do, as text: "+4" press
// up, "-4" release up, "." nothing, "held" a pointer that holds already, "=3=4" forgotten.
enum class Op { Take, TakeRocking, LetGo, Rock, KeyDown, KeyUp, Forget };
struct Step {
    Op op;
    int who;      // pointer id or key code
    int control;  // 0: none
    const char* says;
};

std::optional<Control> control(int c) { return c ? std::optional(static_cast<Control>(c)) : std::nullopt; }
std::string text(const char* sign, std::optional<Control> c) {
    return c ? sign + std::to_string(static_cast<int>(*c)) : "";
}

std::string run(PointerHolds& h, const Step& s) {
    std::string out;
    switch (s.op) {
        case Op::Take:
        case Op::TakeRocking: {
            const auto t = h.take(s.who, control(s.control), s.op == Op::TakeRocking);
            out = t == PointerHolds::Take::AlreadyHolding ? "held"
                  : t == PointerHolds::Take::Press        ? text("+", control(s.control))
                                                          : "";
            break;
        }
        case Op::LetGo:
            out = text("-", h.letGo(s.who));
            break;
        case Op::Rock: {
            const auto r = h.rock(s.who, control(s.control));
            out = text("-", r.release) + text("+", r.press) + (r.changed ? "" : "same");
            break;
        }
        case Op::KeyDown:
            h.keyDown(s.who, static_cast<Control>(s.control));
            break;
        case Op::KeyUp:
            h.keyUp(s.who);
            break;
        case Op::Forget:
            for (Control c : h.forget()) out += text("=", c);
            break;
    }
    return out.empty() ? "." : out;
}

struct Script {
    const char* name;
    std::vector<Step> steps;
};

class PointerHoldsTest : public testing::TestWithParam<Script> {};

TEST_P(PointerHoldsTest, PressesOnFirstHolderAndReleasesOnLast) {
    PointerHolds h;
    int n = 0;
    for (const Step& s : GetParam().steps) EXPECT_EQ(run(h, s), s.says) << "step " << ++n;
    for (int c = 1; c <= kBindingCount; ++c)
        EXPECT_EQ(h.holders(static_cast<Control>(c)), 0) << "after the script";
}

constexpr int kUp = 4, kLeft = 5, kStart = 3, kPower = 1;

INSTANTIATE_TEST_SUITE_P(
    Scripts, PointerHoldsTest,
    testing::Values(Script{"TwoThumbsOneControl",
                           {{Op::Take, 1, kUp, "+4"},
                            {Op::Take, 2, kUp, "."},
                            {Op::LetGo, 1, 0, "."},
                            {Op::LetGo, 2, 0, "-4"}}},
                    Script{"APointerTakesOnce",
                           {{Op::Take, 1, kStart, "+3"},
                            {Op::Take, 1, kUp, "held"},
                            {Op::LetGo, 1, 0, "-3"},
                            {Op::LetGo, 1, 0, "."}}},
                    Script{"PowerPressedByEach",
                           {{Op::Take, 1, kPower, "+1"},
                            {Op::Take, 2, kPower, "+1"},
                            {Op::LetGo, 2, 0, "."},
                            {Op::LetGo, 1, 0, "-1"}}},
                    Script{"RockingFromArrowToArrow",
                           {{Op::TakeRocking, 7, 0, "."},
                            {Op::Rock, 7, kUp, "+4"},
                            {Op::Rock, 7, kUp, "same"},
                            {Op::Rock, 7, kLeft, "-4+5"},
                            {Op::Rock, 7, 0, "-5"},
                            {Op::LetGo, 7, 0, "."}}},
                    Script{"RockingKeepsAnotherThumbsHold",
                           {{Op::Take, 1, kUp, "+4"},
                            {Op::TakeRocking, 2, kUp, "."},
                            {Op::Rock, 2, kLeft, "+5"},
                            {Op::LetGo, 1, 0, "-4"},
                            {Op::LetGo, 2, 0, "-5"}}},
                    Script{"OnlyADiscFingerRocks",
                           {{Op::Take, 3, kUp, "+4"}, {Op::Rock, 3, kLeft, "same"}, {Op::LetGo, 3, 0, "-4"}}},
                    Script{"ForgetKeysFirstEachOnce",
                           {{Op::Take, 1, kUp, "+4"},
                            {Op::KeyDown, 65, kStart, "."},
                            {Op::KeyDown, 66, kUp, "."},
                            {Op::KeyDown, 67, kPower, "."},
                            {Op::Forget, 0, 0, "=3=4"},
                            {Op::LetGo, 1, 0, "."},
                            {Op::Forget, 0, 0, "."}}},
                    Script{
                        "KeyUpForgetsTheKey",
                        {{Op::KeyDown, 65, kLeft, "."}, {Op::KeyUp, 65, 0, "."}, {Op::Forget, 0, 0, "."}}}),
    [](const testing::TestParamInfo<Script>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zn
