#pragma once
// A long press on the page: a finger that goes down away from the device's controls and stays
// within kLongPressSlop CSS pixels of that place for kLongPressMs opens the popup menu there
// (controls/touchareas.h's timings). Lifting the finger or moving it further calls the press
// off. A browser brings a context-menu event for a long press too, possibly after the menu
// opened: it opens nothing while a press has opened the menu, nor for kLongPressQuietMs after.
#include <optional>

namespace zn {

class LongPress {
public:
    // A finger went down at (x, y); an earlier press is forgotten.
    void start(int pointer, double x, double y);
    // The finger moved to (x, y) at time now (ms): true when that called its press off.
    bool move(int pointer, double x, double y, double now);
    // Calls off the press of the pointer, or (pointer -1) whichever is on: true when one was.
    bool end(int pointer, double now);
    // kLongPressMs after start, if not called off: the menu opens.
    void fire();
    // Whether a context-menu event at time now may open the menu.
    bool menuAllowed(double now) const;

private:
    struct Press {
        int pointer;
        double x, y;
        bool opened;
    };
    std::optional<Press> press_;
    double quietUntil_ = 0;
};

}  // namespace zn
