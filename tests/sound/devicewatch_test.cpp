// DeviceWatch: what a loss sets off, on a reopen attempt that the test scripts.
#include "sound/devicewatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using zn::DeviceWatch;

// Waits until pred holds, polling; false after 10 s (a deadline for a failing test only).
template <typename Pred>
bool eventually(Pred pred) {
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

struct RetryCase {
    const char* name;
    std::vector<bool> outcomes;  // the attempts' results, in order
};

class DeviceWatchRetries : public ::testing::TestWithParam<RetryCase> {};

// After a loss, attempts follow one another until one succeeds, and then stop.
TEST_P(DeviceWatchRetries, AttemptsUntilOneSucceedsThenRests) {
    const std::vector<bool>& outcomes = GetParam().outcomes;
    std::atomic<int> made{0};
    DeviceWatch watch(
        [&] {
            const int i = made++;
            return i < static_cast<int>(outcomes.size()) ? outcomes[i] : true;
        },
        1ms);
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(made.load(), 0) << "an attempt without a loss";
    watch.lost();
    ASSERT_TRUE(eventually([&] { return !watch.recovering(); }));
    EXPECT_EQ(watch.attempts(), static_cast<int>(outcomes.size()));
    // Resting: a while later no attempt has been added.
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(made.load(), static_cast<int>(outcomes.size()));
}

// n failed attempts, then one that succeeds.
std::vector<bool> backAfter(int n) {
    std::vector<bool> v(static_cast<std::size_t>(n), false);
    v.push_back(true);
    return v;
}

INSTANTIATE_TEST_SUITE_P(Outcomes, DeviceWatchRetries,
                         ::testing::Values(RetryCase{"BackAtOnce", backAfter(0)},
                                           RetryCase{"BackAtTheThird", backAfter(2)},
                                           RetryCase{"BackAfterManyTries", backAfter(30)}),
                         [](const auto& info) { return std::string(info.param.name); });

// The device an attempt opens may itself be the one lost: a loss reported during the
// attempt earns one more attempt, even when that one succeeded.
TEST(DeviceWatch, ALossDuringAnAttemptIsAnsweredByAnother) {
    std::mutex m;
    std::condition_variable cv;
    bool inside = false, release = false;
    std::atomic<int> made{0};
    DeviceWatch watch(
        [&] {
            std::unique_lock lock(m);
            if (made++ == 0) {
                inside = true;
                cv.notify_all();
                cv.wait(lock, [&] { return release; });
            }
            return true;
        },
        1ms);
    watch.lost();
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return inside; });
    }
    watch.lost();
    {
        const std::lock_guard lock(m);
        release = true;
    }
    cv.notify_all();
    ASSERT_TRUE(eventually([&] { return !watch.recovering(); }));
    EXPECT_EQ(watch.attempts(), 2);
}

// lost() returns while an attempt is stuck (a sound server that hangs): the attempt here
// only ends after the second lost() has returned. stop() ends the waiting between attempts
// without making another.
TEST(DeviceWatch, LossNeverWaitsForAnAttemptAndStopCutsTheRetryShort) {
    std::atomic<bool> unblock{false};
    std::atomic<int> made{0};
    DeviceWatch watch(
        [&] {
            ++made;
            while (!unblock) std::this_thread::sleep_for(1ms);
            return false;
        },
        1h);
    watch.lost();
    ASSERT_TRUE(eventually([&] { return made == 1; }));
    watch.lost();
    unblock = true;
    watch.stop();  // would take an hour if the retry wait ignored it
    EXPECT_EQ(made.load(), 1);
    EXPECT_TRUE(watch.recovering());
}

}  // namespace
