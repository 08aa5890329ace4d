#include "gamepad/gamepads.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/gamepad/virtualpad.h"

namespace zn {
namespace {

using test::Recorder;
using test::SdlJoysticks;
using test::VirtualPad;

constexpr int kUp = 4, kLeft = 5, kRight = 6, kDown = 7;  // the controls' numbers in the log

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pads.start("")) << pads.error(); }
    // Plugs a controller in after the start, as a hot-plug: the next poll opens it.
    std::unique_ptr<VirtualPad> plug() {
        auto pad = std::make_unique<VirtualPad>();
        const int before = pads.connected();
        pads.poll(true);
        EXPECT_EQ(pads.connected(), before + 1);
        return pad;
    }
    // Polls once and returns what reached the operations.
    std::string poll(bool pressesAllowed = true) {
        pads.poll(pressesAllowed);
        return rec.take();
    }
    int heldTotal() const {
        int n = 0;
        for (int c = 1; c <= kBindingCount; ++c) n += pads.holders(static_cast<Control>(c));
        return n;
    }

    SdlJoysticks joysticks;
    Recorder rec;
    Gamepads pads{rec};
};

TEST_F(GamepadTest, DpadStickAndButtonsWorkTheControlsAsTheKeysDo) {
    auto pad = plug();
    EXPECT_EQ(rec.take(), "");  // a controller plugged in presses nothing

    const std::pair<SDL_GameControllerButton, int> dpad[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, kUp},
                                                             {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kLeft},
                                                             {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kRight},
                                                             {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kDown}};
    for (auto [button, control] : dpad) {
        pad->button(button, true);
        EXPECT_EQ(poll(), "+" + std::to_string(control));
        EXPECT_EQ(poll(), "");  // held: no repeat
        pad->button(button, false);
        EXPECT_EQ(poll(), "-" + std::to_string(control));
    }
    // A diagonal holds two directions, as two arrow keys would.
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(poll(), "+4+6");
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(poll(), "-4");
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_EQ(poll(), "-6");

    // Start and A start, Back and X select, Y and Guide power (which has no release).
    const std::pair<SDL_GameControllerButton, const char*> buttons[] = {
        {SDL_CONTROLLER_BUTTON_START, "+3-3"}, {SDL_CONTROLLER_BUTTON_A, "+3-3"},
        {SDL_CONTROLLER_BUTTON_BACK, "+2-2"},  {SDL_CONTROLLER_BUTTON_X, "+2-2"},
        {SDL_CONTROLLER_BUTTON_Y, "+1"},       {SDL_CONTROLLER_BUTTON_GUIDE, "+1"}};
    for (auto [button, expected] : buttons) {
        pad->button(button, true);
        std::string log = poll();
        pad->button(button, false);
        log += poll();
        EXPECT_EQ(log, expected) << button;
    }
    // SDL holds a short press of Guide a quarter of a second, so that it is not missed.
    for (int i = 0; i < 200 && pads.holders(Control::Power) > 0; ++i) {
        SDL_Delay(10);
        EXPECT_EQ(poll(), "");
    }
    EXPECT_EQ(pads.holders(Control::Power), 0);
    // The other buttons and the right stick do nothing.
    for (auto button :
         {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_LEFTSTICK}) {
        pad->button(button, true);
        pad->axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
        pad->axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
        EXPECT_EQ(poll(), "");
        pad->button(button, false);
        pad->axis(SDL_CONTROLLER_AXIS_RIGHTX, 0);
        pad->axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0);
        EXPECT_EQ(poll(), "");
    }
    EXPECT_EQ(heldTotal(), 0);
}

TEST_F(GamepadTest, TheStickPressesPastHalfWayAndReleasesBelowThirty) {
    auto pad = plug();
    // Pushed slowly to the right and back: pressed once past 50 %, released once below 30 %.
    std::string log;
    for (int x : {5000, 12000, 16000, 17000, 25000, 32767, 20000, 12000, 10000, 17000, 9000, 3000, 0}) {
        pad->axis(SDL_CONTROLLER_AXIS_LEFTX, x);
        log += poll() + "|";
    }
    EXPECT_EQ(log, "|||+6|||||||-6|||");
    // Jitter around either mark does not chatter.
    for (int x : {16500, 16300, 16500, 16300, 9900, 9800, 16000}) {
        pad->axis(SDL_CONTROLLER_AXIS_LEFTX, x);
        log += poll();
    }
    EXPECT_EQ(log, "|||+6|||||||-6|||+6-6");
    // Full left and up: a diagonal; y alone back to the middle leaves left held.
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    EXPECT_EQ(poll(), "+5+4");
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(poll(), "-4");
    // Straight from left to right: the left goes before the right comes.
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(poll(), "-5+6");
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, 20000);
    EXPECT_EQ(poll(), "+7");
    pad->axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad->axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(poll(), "-6-7");
    EXPECT_EQ(heldTotal(), 0);
}

TEST_F(GamepadTest, AControlIsReleasedWhenItsLastHolderLetsGo) {
    auto one = plug();
    auto two = plug();
    // Up from the d-pad, then the same pad's stick, then the other controller.
    one->button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(poll(), "+4");
    one->axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    two->button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(poll(), "");
    EXPECT_EQ(pads.holders(Control::Up), 3);
    one->button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    one->axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(poll(), "");
    two->button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(poll(), "-4");
    // Start and A of one controller are two holders of start.
    one->button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(poll(), "+3");
    one->button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(poll(), "");
    one->button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_EQ(poll(), "");
    one->button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(poll(), "-3");
    // Power held on both controllers switches once; pressed again once both let go.
    one->button(SDL_CONTROLLER_BUTTON_Y, true);
    EXPECT_EQ(poll(), "+1");
    two->button(SDL_CONTROLLER_BUTTON_Y, true);
    EXPECT_EQ(poll(), "");
    one->button(SDL_CONTROLLER_BUTTON_Y, false);
    two->button(SDL_CONTROLLER_BUTTON_Y, false);
    EXPECT_EQ(poll(), "");  // power has no release
    two->button(SDL_CONTROLLER_BUTTON_Y, true);
    EXPECT_EQ(poll(), "+1");
    EXPECT_EQ(heldTotal(), 1);
}

TEST_F(GamepadTest, UnpluggingReleasesWhatTheControllerHeld) {
    auto one = plug();
    auto two = plug();
    one->button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    one->axis(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    one->button(SDL_CONTROLLER_BUTTON_BACK, true);
    one->button(SDL_CONTROLLER_BUTTON_GUIDE, true);
    two->button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(poll(), "+7+2+1+5");
    one->unplug();
    const std::string log = poll();
    EXPECT_EQ(pads.connected(), 1);
    // Left and select go; down stays, the other controller holds it; power has no release.
    EXPECT_EQ(log.size(), 4u) << log;
    EXPECT_NE(log.find("-5"), std::string::npos) << log;
    EXPECT_NE(log.find("-2"), std::string::npos) << log;
    EXPECT_EQ(pads.holders(Control::Down), 1);
    EXPECT_EQ(heldTotal(), 1);
    two->unplug();
    EXPECT_EQ(poll(), "-7");
    EXPECT_EQ(pads.connected(), 0);
    // Plugged in again, it works again.
    auto three = plug();
    three->button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(poll(), "+6");
    // Stopping lets go of everything too.
    pads.stop();
    EXPECT_EQ(rec.take(), "-6");
    EXPECT_EQ(pads.connected(), 0);
}

TEST_F(GamepadTest, PressesOnlyWhenAllowedReleasesAlways) {
    auto pad = plug();
    pad->button(SDL_CONTROLLER_BUTTON_A, true);
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(poll(false), "");
    pad->button(SDL_CONTROLLER_BUTTON_A, false);
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(poll(false), "-3-4");  // a release never hurts, and nothing stays held
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(poll(true), "+7");
    pad->button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    EXPECT_EQ(poll(false), "-7");
}

// What the owner needs to watch the controllers: poll() says when one came or went (input
// does not count), and each reports its id, its device node and whether it is virtual.
TEST_F(GamepadTest, PollSaysWhenTheControllersChanged) {
    EXPECT_FALSE(pads.poll(true));
    auto one = std::make_unique<VirtualPad>();
    auto two = std::make_unique<VirtualPad>();
    EXPECT_TRUE(pads.poll(true));
    EXPECT_FALSE(pads.poll(true));
    const std::vector<Gamepads::Controller> list = pads.controllers();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].instanceId + list[1].instanceId, one->id() + two->id());
    EXPECT_NE(list[0].instanceId, list[1].instanceId);
    for (const Gamepads::Controller& c : list) {
        EXPECT_TRUE(c.isVirtual);
        EXPECT_EQ(c.path, "");  // a virtual controller has no device node
    }
    one->button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_FALSE(pads.poll(true));
    one->unplug();
    EXPECT_TRUE(pads.poll(true));
    ASSERT_EQ(pads.controllers().size(), 1u);
    EXPECT_EQ(pads.controllers()[0].instanceId, two->id());
    // Opened by start() counts for the first poll after it.
    pads.stop();
    pads.poll(true);
    ASSERT_TRUE(pads.start(""));
    EXPECT_TRUE(pads.poll(true));
    EXPECT_EQ(pads.connected(), 1);
}

// A controller SDL knows no mapping for becomes one through the user's gamecontrollerdb.txt;
// another platform's line for it and lines SDL cannot read are skipped.
TEST(GamepadMappings, TheUsersMappingFileIsRead) {
    SdlJoysticks joysticks;
    {
        VirtualPad stick(2, 1);  // plugged in before the start
        Recorder rec;
        Gamepads pads(rec);
        ASSERT_TRUE(pads.start(""));
        EXPECT_EQ(pads.connected(), 0);  // a joystick without a mapping is no controller
        pads.stop();

        char path[] = "/tmp/zn_gamecontrollerdb_XXXXXX";
        const int fd = mkstemp(path);
        ASSERT_GE(fd, 0);
        ::close(fd);
        {
            std::ofstream db(path);
            db << "# Zorpy Nibbo test mappings\r\n"
               << "\n"
               << "   " << stick.guid() << ",Test stick,start:b0,guide:b1,dpup:h0.1,dpright:h0.2,dpdown:h0.4,"
               << "dpleft:h0.8\r\n"
               << stick.guid() << ",Test stick,start:b1,guide:b0,platform:Windows,\n"
               << "not a mapping at all\n"
               << ",,,,platform:\n";
        }
        ASSERT_TRUE(pads.start(path)) << pads.error();
        std::remove(path);
        EXPECT_EQ(pads.connected(), 1);
        stick.plainButton(0, true);
        stick.hat(SDL_HAT_RIGHTUP);
        pads.poll(true);
        EXPECT_EQ(rec.take(), "+3+4+6");
        stick.plainButton(1, true);
        stick.hat(SDL_HAT_CENTERED);
        pads.poll(true);
        EXPECT_EQ(rec.take(), "+1-4-6");
        pads.stop();
        EXPECT_EQ(rec.take(), "-3");
    }
}

// Files that are no mapping file start the controllers all the same.
TEST(GamepadMappings, AMissingOrUnreadableFileChangesNothing) {
    SdlJoysticks joysticks;
    Recorder rec;
    for (const char* path :
         {"/nonexistent/gamecontrollerdb.txt", "/tmp", "/proc/self/mem", "/dev/null", "/dev/zero"}) {
        Gamepads pads(rec);
        EXPECT_TRUE(pads.start(path)) << path;
        VirtualPad pad;
        pads.poll(true);
        EXPECT_EQ(pads.connected(), 1) << path;
    }
}

// The reader of the file's text: one mapping a line, trimmed; no blank line, comment or other
// platform's line.
TEST(GamepadMappings, EachLineIsOneMappingForThisPlatform) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n \t\r\n#A,b\n\t# B,c\n", {}},
        {"  A,a:b0 \t\r\nB,b:b1", {"A,a:b0", "B,b:b1"}},
        {"A,platform:Linux,\nB,platform:Windows,\nC,platform:Linuxish\nD,platform:Linux", {"A,platform:Linux,", "D,platform:Linux"}},
        {"A,platform:,\nB,plat\rform:Mac\r\r\n", {"B,plat\rform:Mac"}},
    };
    for (const Case& c : cases) EXPECT_EQ(mappingLines(c.text), c.lines) << c.text;
    // A NUL is a byte of the line like any other (SDL reads the line up to it).
    EXPECT_EQ(mappingLines(std::string_view("A\0B,x\n", 6)), std::vector<std::string>{std::string("A\0B,x", 5)});
}

}  // namespace
}  // namespace zn
