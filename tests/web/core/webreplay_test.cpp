// The page's recorded games: the link's base64url both ways, and a game played on the page
// recorded since power-on, opened again, held at its end and handed over at the first press.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/snapshot.h"
#include "web/core/webgame.h"
#include "web/core/webreplay.h"

namespace zn::web {
namespace {

TEST(WebReplayLink, Base64urlBothWaysAndItsRefusals) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    // RFC 4648's examples, and the bytes whose characters differ from plain base64's.
    const Case cases[] = {{"", ""},          {"f", "Zg"},         {"fo", "Zm8"},
                          {"foo", "Zm9v"},   {"foob", "Zm9vYg"},  {"\xfb\xff\xbf", "-_-_"},
                          {std::string("\0\x3e", 2), "AD4"}};
    for (const Case& c : cases) {
        EXPECT_EQ(base64url(c.bytes), c.text);
        EXPECT_EQ(fromBase64url(c.text), c.bytes) << c.text;
    }
    for (const char* bad : {"Zm9v=", "Zm+v", "Zm/v", "Z", "Zm9vY", "Zm 9"}) EXPECT_EQ(fromBase64url(bad), std::nullopt) << bad;

    struct Hash {
        const char* hash;
        bool link;
        std::optional<std::string> bytes;
    };
    const Hash hashes[] = {{"#replay=Zm9v", true, "foo"}, {"#replay=", true, std::nullopt},
                           {"#replay=Zm+v", true, std::nullopt}, {"#replays=Zm9v", false, std::nullopt},
                           {"", false, std::nullopt}};
    for (const Hash& h : hashes) {
        EXPECT_EQ(isReplayLink(h.hash), h.link) << h.hash;
        EXPECT_EQ(replayLinkBytes(h.hash), h.bytes) << h.hash;
    }
    EXPECT_EQ(replayLinkFragment("foo"), "#replay=Zm9v");
}

TEST(WebGameReplay, RecordsOpensHoldsAndHandsOver) {
    // A game on the page: power, game 1, a few turns; its recording since power-on.
    WebGame page(77);
    page.advance(500);
    page.press(Control::Power);
    page.advance(3100);
    for (Control c : {Control::Select, Control::Start}) {
        page.press(c);
        page.release(c);
    }
    for (Control c : {Control::Left, Control::Up, Control::Right}) {
        page.press(c);
        page.advance(700);
        page.release(c);
        page.advance(90);
    }
    const std::string text = page.recordingText();
    const std::string end = showFigures(page.figures());
    EXPECT_EQ(page.phase(), replay::Session::Phase::Live);

    // Opened in another game: the player's presses go nowhere while it plays, and it holds at
    // the end with the figures the game had.
    WebGame other(5);
    ASSERT_EQ(other.open(text), std::nullopt);
    EXPECT_EQ(other.phase(), replay::Session::Phase::Playing);
    other.advance(1000);
    other.press(Control::Power);
    other.advance(60 * 1000);
    EXPECT_EQ(other.phase(), replay::Session::Phase::Held);
    EXPECT_EQ(other.now(), page.now());
    EXPECT_EQ(showFigures(other.figures()), end);
    other.advance(5000);
    EXPECT_EQ(other.now(), page.now()) << "the hold stops the clock";
    other.release(Control::Left);
    EXPECT_EQ(other.phase(), replay::Session::Phase::Held) << "a release hands nothing over";
    other.press(Control::Power);
    EXPECT_EQ(other.phase(), replay::Session::Phase::Live);
    EXPECT_EQ(other.game().Gam_Mode, 0) << "the player's power switched the device off";
    // The take-over is recorded after what was played, at the recording's last moment.
    const std::string again = other.recordingText();
    const std::size_t endAt = text.rfind("end ");
    const std::string held = std::to_string(std::stol(text.substr(endAt + 4)));
    EXPECT_EQ(again, text.substr(0, endAt) + held + "P\nend 0\n");

    // Refusals leave the game as it was, in the reader's words.
    struct Bad {
        std::string text;
        const char* message;
    };
    const Bad bads[] = {
        {"zorpy-nibbo-replay 2\n", "f: line 1: "},
        {"zorpy-nibbo-replay 1\nseed 1\nspeed 50\nstart off\nend 0\n", "f: the game plays at speed 100 only, not 50"},
        {"", "f: "},
    };
    for (const Bad& b : bads) {
        const auto problem = other.open(b.text);
        ASSERT_TRUE(problem.has_value()) << b.text;
        EXPECT_TRUE(replayProblemText("f", *problem).starts_with(b.message)) << replayProblemText("f", *problem);
        EXPECT_EQ(other.phase(), replay::Session::Phase::Live);
        EXPECT_EQ(other.recordingText(), again);
    }
}

}  // namespace
}  // namespace zn::web
