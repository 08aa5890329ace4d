#pragma once
// The page's scene: every image of the window (engine image ids, which are the stacking order,
// bottom first) with its rectangle, whether it shows a picture, its visibility and stretch; the
// client size, background and key colour; what changed since the last draw. draw() composes
// the rectangles that changed into the Compositor's frame, in stacking order, and lists them
// for the page to copy onto its canvas. Where an image lies at the present scale is
// ui/devicefit.h's rule, as on the desktop's surface.
//
// The pictures themselves stay the page's (it may smooth a copy with the browser): prepare()
// lists the images about to be drawn and how, the page answers setDrawn() for each with the
// picture numbers to draw from, then compose().
#include <cstdint>
#include <vector>

#include "ui/devicefit.h"
#include "web/core/pixels.h"

namespace zn::web {

class Scene {
public:
    // The picture an image is drawn with: its own, unscaled (a game image at the identity
    // scale); made for the game's scale or the client's; or stretched to the whole frame (the
    // backdrop when the skin stretches it).
    enum class DrawnAs : int { AsIs = 0, GameScale = 1, ClientScale = 2, Stretched = 3 };
    struct Wanted {
        int id = 0;
        DrawnAs as = DrawnAs::AsIs;
    };

    Scene(Compositor& compositor, int imageCount);

    // Everything as a new page's: no image shown, a client of 692 x 747, black, not keyed.
    void reset();

    // Each returns true when the frame's size changed (its pixels are then to be cleared and
    // the whole frame composed again, as after any change of the scale or client size).
    bool setClientSize(int width, int height);
    bool setScale(const DeviceScale& scale);
    int width() const { return width_; }
    int height() const { return height_; }

    void setBackground(std::uint32_t pixel);
    void setKeyColour(bool on, std::uint32_t key);

    // picture: a number for the picture the image shows now (0: none); the page tells each
    // change of it, and each change of the pixels the image shows by touch().
    void showPicture(int id, int picture);
    void setRect(int id, PixelRect r);
    // The image's rectangle in skin pixels (the backdrop's: the whole client).
    PixelRect rect(int id) const;
    void setVisible(int id, bool visible);
    bool visible(int id) const;
    void setStretch(int id, bool stretch);
    void touch(int id);
    void invalidateAll();
    // The image's pixels as last drawn are drawn again at the next draw.
    void repaint(int id);

    // Where the image lies on the frame at the present scale.
    PixelRect deviceRect(int id) const;

    // The images the changed rectangles draw, bottom first; each wants setDrawn() before
    // compose().
    const std::vector<Wanted>& prepare();
    // The image's own picture and the one it is drawn with (the same at AsIs).
    void setDrawn(int id, int own, int drawn);
    // The rectangles composed, each its final pixels in the frame.
    const std::vector<PixelRect>& compose();

    // The topmost visible image whose rectangle holds the frame's point, or -1.
    int imageAt(int x, int y) const;
    // The frame's pixel is see-through: keyed, and composed to the key colour.
    bool seeThrough(int x, int y) const;

private:
    struct Image {
        PixelRect rect;  // skin pixels
        int picture = 0;
        bool visible = false;
        bool stretch = false;
        bool game = false;
        bool touched = false;
        // What the frame shows of it: nothing when shownPicture is 0.
        PixelRect shownRect;
        int shownPicture = 0;
        int own = 0;  // setDrawn's
        int drawn = 0;
    };
    bool relayout();
    void drawImage(int id, const Image& im, const PixelRect& clip);
    void blit(int picture, int x, int y, int w, int h, const PixelRect& clip);

    Compositor& compositor_;
    std::vector<Image> images_;
    std::vector<int> touched_;
    std::vector<PixelRect> dirty_;
    std::vector<PixelRect> rects_;
    std::vector<Wanted> wanted_;
    int clientW_ = 692;
    int clientH_ = 747;
    std::uint32_t background_ = 0xff000000;
    bool keyed_ = false;
    std::uint32_t key_ = 0;
    DeviceScale scale_;
    int width_ = 0;
    int height_ = 0;
    bool framed_ = false;
};

// The rectangles, clipped to bounds (empty ones dropped), with those that overlap merged into
// their bounding box until none overlaps, so that no pixel is composed twice. out is reused.
void mergeRects(const std::vector<PixelRect>& rects, const PixelRect& bounds, std::vector<PixelRect>& out);

}  // namespace zn::web
