// The web edition's game: played from the script driver's commands it gives the driver's
// output; its list of changed images and its sound queue are what the page needs to redraw
// and to play.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/recording_sound.h"
#include "engine/snapshot.h"
#include "tools/script/script_driver.h"
#include "web/core/webgame.h"

namespace zn::web {
namespace {

TEST(WebGame, TakesWholeSafeNumbersFromThePage) {
    struct Case {
        double v;
        std::optional<std::uint64_t> want;
    };
    const Case cases[] = {
        {0, 0},
        {4294967296.0, 4294967296u},  // past 32 bits
        {9007199254740991.0, 9007199254740991u},
        {9007199254740992.0, std::nullopt},
        {-1, std::nullopt},
        {0.5, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(wholeNumberFromPage(c.v), c.want) << c.v;
}

// Plays seed/press/release/wait/show lines on a WebGame as the page does, printing what the
// script driver prints: sounds stamped with the virtual time they were made at, and pictures.
std::string playLikeThePage(const std::string& script) {
    WebGame g;
    g.setSoundEnabled(true);
    std::string out;
    auto sounds = [&] {
        for (int s : g.takeSounds()) {
            out += "sound " + std::to_string(g.now());
            out += s == kSilence ? std::string(" silence\n")
                                 : " play " + std::string(sampleName(static_cast<Sample>(s))) + "\n";
        }
    };
    const std::array<std::string, 7> names = {"power", "select", "start", "up", "left", "right", "down"};
    auto control = [&](const std::string& name) {
        for (int i = 0; i < 7; ++i)
            if (names[static_cast<std::size_t>(i)] == name) return static_cast<Control>(i + 1);
        ADD_FAILURE() << "no control " << name;
        return Control::Power;
    };
    std::istringstream in(script);
    std::string cmd;
    while (in >> cmd) {
        std::string arg;
        if (cmd == "seed") {
            in >> arg;
            g.reset(std::stoull(arg));
        } else if (cmd == "press" || cmd == "release") {
            in >> arg;
            cmd == "press" ? g.press(control(arg)) : g.release(control(arg));
        } else if (cmd == "wait") {
            in >> arg;
            for (long ms = std::stol(arg); ms > 0; --ms) {
                g.advance(1);
                sounds();
            }
        } else if (cmd == "show") {
            out += showFigures(g.figures());
        }
        sounds();
    }
    return out;
}

std::string scriptDriverOutput(const std::string& script) {
    std::ostringstream out, err;
    std::istringstream in(script);
    ScriptDriver driver(out, err, 0);
    EXPECT_EQ(driver.run(in), 0) << err.str();
    return out.str();
}

TEST(WebGame, PlaysAScriptAsTheScriptDriver) {
    const char* scripts[] = {
        // power on, the start tune, game 1 chosen, a few steps
        "seed 7\npress power\nwait 3000\nshow\npress select\nrelease select\npress start\nrelease start\n"
        "press right\nwait 2400\nshow\nrelease right\npress down\nwait 1500\nshow\n",
        // game 4 left alone until the ghosts end it
        "seed 42\npress power\nwait 2980\npress select\npress select\npress select\npress select\n"
        "release select\npress start\nrelease start\nwait 60000\nshow\n",
        // power switched off in the middle of the start tune silences it
        "seed 1\npress power\nwait 500\npress power\nshow\nwait 100\npress power\nwait 2980\nshow\n",
    };
    for (const char* s : scripts) {
        const std::string expected = scriptDriverOutput(s);
        ASSERT_NE(expected.find("sound "), std::string::npos) << s;
        EXPECT_EQ(playLikeThePage(s), expected) << s;
    }
}

struct Figures {
    std::array<bool, kImageCount> visible{};
    std::array<int, kImageCount> picture{};
};

Figures figuresOf(const FigureTable& t) {
    Figures f;
    for (int i = 0; i < kImageCount; ++i) {
        f.visible[static_cast<std::size_t>(i)] = t.visible(img::at(i));
        const auto p = t.picture(img::at(i));
        f.picture[static_cast<std::size_t>(i)] = p ? index(*p) : -1;
    }
    return f;
}

// Between two looks, every image whose visibility or picture differs is listed, once.
TEST(WebGame, ListsEveryChangedImageOnce) {
    WebGame g;
    std::vector<int> all = g.takeChanged();
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kImageCount)) << "a new game: every image to draw";
    EXPECT_TRUE(g.takeChanged().empty());

    std::mt19937 rng(2026);
    g.reset(5);
    g.takeChanged();
    Figures before = figuresOf(g.figures());
    int changes = 0;
    for (int step = 0; step < 4000; ++step) {
        const auto c = static_cast<Control>(1 + rng() % 7);
        switch (rng() % 4) {
            case 0:
                if (c != Control::Power || rng() % 50 == 0) g.press(c);
                break;
            case 1:
                g.release(c);
                break;
            default:
                g.advance(rng() % 400);
        }
        const std::vector<int> listed = g.takeChanged();
        const std::set<int> unique(listed.begin(), listed.end());
        ASSERT_EQ(unique.size(), listed.size()) << "step " << step;
        const Figures after = figuresOf(g.figures());
        for (int i = 0; i < kImageCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (after.visible[k] != before.visible[k] || after.picture[k] != before.picture[k]) {
                ASSERT_TRUE(unique.count(i)) << "step " << step << ": " << imageName(img::at(i)) << " not listed";
                ++changes;
            }
        }
        before = after;
    }
    EXPECT_GT(changes, 1000) << "the game hardly played";
}

// The queue holds the engine's calls in order, -1 for a silence, and only while sound is on;
// whether it is on carries over a reset.
TEST(WebGame, QueuesTheSoundCallsWhileSoundIsOn) {
    struct Case {
        bool soundOn;
        std::vector<int> expected;  // after power on and the start tune, then power off
    };
    const Case cases[] = {
        {true, {kSilence, static_cast<int>(Sample::Start), kSilence}},
        {false, {}},
    };
    for (const Case& c : cases) {
        WebGame g;
        g.setSoundEnabled(c.soundOn);
        g.reset(3);
        g.press(Control::Power);
        g.advance(3000);
        g.press(Control::Power);
        EXPECT_EQ(g.takeSounds(), c.expected) << "sound " << c.soundOn;
        EXPECT_TRUE(g.takeSounds().empty());
    }
}

}  // namespace
}  // namespace zn::web
