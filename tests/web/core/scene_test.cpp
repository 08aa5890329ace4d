// The page's scene: which rectangles a change composes, merged so that no pixel is composed
// twice; images composed in stacking order with the key colour cleared; how each image is
// drawn at a scale; hit-testing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "web/core/scene.h"

namespace {

using zn::web::Compositor;
using zn::web::PixelRect;
using zn::web::Scene;
using DrawnAs = Scene::DrawnAs;

constexpr std::uint32_t kBlack = 0xff000000, kRed = 0xff0000ff, kGreen = 0xff00ff00;
constexpr int kLogo = 1, kGame = 2, kAbove = 3;  // the logo keeps the client's scale

std::vector<int> flat(const std::vector<PixelRect>& rects) {
    std::vector<int> out;
    for (const PixelRect& r : rects) out.insert(out.end(), {r.x, r.y, r.w, r.h});
    return out;
}

// A 10 x 10 client at the identity scale with pictures of one colour each, drawn as they are.
struct Rig {
    Compositor c;
    Scene scene{c, 202};
    Rig() {
        scene.setClientSize(10, 10);
        c.resizeFrame(10, 10);
    }
    int picture(int w, int h, std::uint32_t colour) {
        const int id = c.addPicture(w, h);
        std::fill(c.pixels(id), c.pixels(id) + w * h, colour);
        return id;
    }
    void show(int id, int picture, PixelRect r) {
        scene.showPicture(id, picture);
        scene.setRect(id, r);
        scene.setVisible(id, true);
    }
    std::vector<int> draw() {
        for (const auto& w : scene.prepare()) scene.setDrawn(w.id, pictureOf[w.id], pictureOf[w.id]);
        return flat(scene.compose());
    }
    std::uint32_t at(int x, int y) { return c.frame()[y * 10 + x]; }
    std::vector<int> pictureOf = std::vector<int>(202);
};

TEST(Scene, MergesOverlappingRectanglesClippedToTheFrame) {
    struct Case {
        std::vector<PixelRect> in;
        std::vector<int> out;
    } cases[] = {
        {{{0, 0, 2, 2}, {5, 5, 2, 2}}, {0, 0, 2, 2, 5, 5, 2, 2}},
        {{{0, 0, 4, 4}, {3, 3, 4, 4}}, {0, 0, 7, 7}},
        {{{0, 0, 2, 2}, {4, 0, 2, 2}, {1, 0, 4, 1}}, {0, 0, 6, 2}},  // a bridge merges both
        {{{2, 0, 2, 2}, {0, 0, 2, 2}}, {2, 0, 2, 2, 0, 0, 2, 2}},    // touching is not overlapping
        {{{-3, -3, 5, 5}, {8, 8, 5, 5}, {20, 0, 2, 2}}, {0, 0, 2, 2, 8, 8, 2, 2}},
        {{{1, 1, 0, 3}}, {}},
    };
    std::vector<PixelRect> out;
    for (const Case& c : cases) {
        zn::web::mergeRects(c.in, {0, 0, 10, 10}, out);
        EXPECT_EQ(flat(out), c.out) << "first " << c.in[0].x << "," << c.in[0].y;
    }
}

TEST(Scene, TheFrameIsTheClientAtTheClientScale) {
    struct Case {
        int clientW, clientH;
        zn::DeviceScale scale;
        bool resized;  // from the frame after the previous case
        int width, height;
    } cases[] = {
        {10, 10, {1, 0, 0, 1}, true, 10, 10},  // the first frame
        {10, 10, {2, 5, 5, 1}, false, 10, 10},  // the game's scale moves no frame
        {10, 10, {2, 5, 5, 1.5}, true, 15, 15},
        {7, 3, {2, 5, 5, 1.5}, true, 11, 5},  // rounded half away from zero
        {7, 3, {2, 5, 5, 0}, false, 11, 5},   // no scale of 0
        {-4, 3, {2, 5, 5, 1.5}, true, 0, 5},
    };
    Compositor c;
    Scene scene{c, 202};
    for (const Case& k : cases) {
        const bool resized = scene.setScale(k.scale) | scene.setClientSize(k.clientW, k.clientH);
        EXPECT_EQ(resized, k.resized) << k.clientW << " x " << k.clientH << " at " << k.scale.client;
        EXPECT_EQ(scene.width(), k.width) << k.clientW << " at " << k.scale.client;
        EXPECT_EQ(scene.height(), k.height) << k.clientH << " at " << k.scale.client;
    }
}

TEST(Scene, ComposesWhatAChangeUncoversAndCovers) {
    struct Case {
        const char* change;
        void (*apply)(Rig&);
        std::vector<int> composed;
    } cases[] = {
        {"nothing", [](Rig&) {}, {}},
        {"moved", [](Rig& r) { r.scene.setRect(kGame, {5, 5, 2, 2}); }, {1, 1, 2, 2, 5, 5, 2, 2}},
        {"hidden", [](Rig& r) { r.scene.setVisible(kGame, false); }, {1, 1, 2, 2}},
        {"other picture", [](Rig& r) { r.scene.showPicture(kGame, 99); }, {1, 1, 2, 2}},
        {"touched alone", [](Rig& r) { r.scene.touch(kGame); }, {}},
        {"repainted", [](Rig& r) { r.scene.repaint(kGame); }, {1, 1, 2, 2}},
        {"no picture", [](Rig& r) { r.scene.showPicture(kGame, 0); }, {1, 1, 2, 2}},
        {"moved off", [](Rig& r) { r.scene.setRect(kGame, {12, 0, 2, 2}); }, {1, 1, 2, 2}},
        {"background", [](Rig& r) { r.scene.setBackground(kGreen); }, {0, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        Rig r;
        r.pictureOf[kGame] = r.picture(2, 2, kRed);
        r.show(kGame, r.pictureOf[kGame], {1, 1, 2, 2});
        r.draw();
        c.apply(r);
        EXPECT_EQ(r.draw(), c.composed) << c.change;
    }
}

TEST(Scene, ComposesInStackingOrderAndClearsTheKeyColour) {
    Rig r;
    r.pictureOf[kGame] = r.picture(4, 4, kRed);
    r.pictureOf[kAbove] = r.picture(2, 2, kGreen);
    r.show(kAbove, r.pictureOf[kAbove], {2, 2, 2, 2});
    r.show(kGame, r.pictureOf[kGame], {0, 0, 9, 9});  // the picture, not the rectangle, is drawn
    r.scene.setKeyColour(true, kRed);
    r.draw();
    EXPECT_EQ(r.at(2, 2), kGreen);
    EXPECT_EQ(r.at(1, 1), 0u);
    EXPECT_EQ(r.at(5, 5), kBlack);
    EXPECT_TRUE(r.scene.seeThrough(1, 1));
    EXPECT_FALSE(r.scene.seeThrough(2, 2));
    EXPECT_EQ(r.scene.imageAt(2, 2), kAbove);
    EXPECT_EQ(r.scene.imageAt(8, 8), kGame);
    EXPECT_EQ(r.scene.imageAt(9, 9), -1);
}

TEST(Scene, DrawsEachImageFromThePictureForItsScale) {
    struct Case {
        zn::DeviceScale scale;
        int id;
        bool stretch;
        DrawnAs as;
        std::vector<int> composed;
    } cases[] = {
        {{1, 0, 0, 1}, kGame, false, DrawnAs::AsIs, {1, 1, 2, 2}},
        {{2, 0, 0, 1}, kGame, false, DrawnAs::GameScale, {2, 2, 4, 4}},
        {{1, 3, 0, 1}, kGame, false, DrawnAs::GameScale, {4, 1, 2, 2}},
        {{2, 0, 0, 1}, kLogo, false, DrawnAs::ClientScale, {1, 1, 2, 2}},
        {{1, 0, 0, 2}, kLogo, false, DrawnAs::ClientScale, {2, 2, 4, 4}},
        {{1, 0, 0, 2}, 0, false, DrawnAs::ClientScale, {0, 0, 20, 20}},
        {{1, 0, 0, 1}, 0, true, DrawnAs::Stretched, {0, 0, 10, 10}},
    };
    for (const Case& c : cases) {
        Rig r;
        r.scene.setScale(c.scale);
        r.scene.setStretch(c.id, c.stretch);
        r.show(c.id, 1, {1, 1, 2, 2});
        r.scene.prepare();  // the whole frame, after the scale
        r.scene.compose();
        r.scene.touch(c.id);
        r.scene.repaint(c.id);
        const auto& wanted = r.scene.prepare();
        ASSERT_EQ(wanted.size(), 1u) << c.id;
        EXPECT_EQ(wanted[0].as, c.as) << c.id << " at " << c.scale.game;
        EXPECT_EQ(flat(r.scene.compose()), c.composed) << c.id << " at " << c.scale.game;
    }
}

}  // namespace
