#include "controls/longpress.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/touchareas.h"

namespace zn {
namespace {

enum class Op { Start, Move, End, Fire };
struct Step {
    Op op;
    int pointer;
    double x, y, now;
    bool calledOff;    // what move or end answer
    bool menuAllowed;  // a context-menu event at `now`, after the step
};
struct Script {
    const char* name;
    std::vector<Step> steps;
};

class LongPressTest : public testing::TestWithParam<Script> {};

TEST_P(LongPressTest, OpensOnceAndQuietsTheContextMenuAfter) {
    LongPress press;
    int n = 0;
    for (const Step& s : GetParam().steps) {
        ++n;
        bool calledOff = false;
        switch (s.op) {
            case Op::Start:
                press.start(s.pointer, s.x, s.y);
                break;
            case Op::Move:
                calledOff = press.move(s.pointer, s.x, s.y, s.now);
                break;
            case Op::End:
                calledOff = press.end(s.pointer, s.now);
                break;
            case Op::Fire:
                press.fire();
                break;
        }
        EXPECT_EQ(calledOff, s.calledOff) << "step " << n;
        EXPECT_EQ(press.menuAllowed(s.now), s.menuAllowed) << "step " << n;
    }
}

constexpr double kQuiet = kLongPressQuietMs;
constexpr double kSlop = kLongPressSlop;

INSTANTIATE_TEST_SUITE_P(Scripts, LongPressTest,
                         testing::Values(Script{"LiftedBeforeItsTime",
                                                {{Op::Start, 1, 50, 50, 0, false, true},
                                                 {Op::End, 1, 0, 0, 100, true, true},
                                                 {Op::End, 1, 0, 0, 100, false, true}}},
                                         Script{"OpenedThenQuietAfterTheLift",
                                                {{Op::Start, 1, 50, 50, 0, false, true},
                                                 {Op::Fire, 1, 0, 0, 500, false, false},
                                                 {Op::End, 1, 0, 0, 600, true, false},
                                                 {Op::End, -1, 0, 0, 600 + kQuiet - 1, false, false},
                                                 {Op::End, -1, 0, 0, 600 + kQuiet, false, true}}},
                                         Script{"WanderingWithinTheSlopKeepsIt",
                                                {{Op::Start, 1, 50, 50, 0, false, true},
                                                 {Op::Move, 1, 50 + kSlop, 50, 10, false, true},
                                                 {Op::Move, 2, 500, 500, 20, false, true},
                                                 {Op::Move, 1, 50 + kSlop, 50.5, 30, true, true}}},
                                         Script{"AnotherFingerLiftingLeavesIt",
                                                {{Op::Start, 1, 50, 50, 0, false, true},
                                                 {Op::End, 2, 0, 0, 10, false, true},
                                                 {Op::End, -1, 0, 0, 20, true, true}}},
                                         Script{"ANewPressEndsTheQuiet",
                                                {{Op::Start, 1, 50, 50, 0, false, true},
                                                 {Op::Fire, 1, 0, 0, 500, false, false},
                                                 {Op::Move, 1, 90, 50, 510, true, false},
                                                 {Op::Start, 3, 10, 10, 520, false, true}}}),
                         [](const testing::TestParamInfo<Script>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace zn
