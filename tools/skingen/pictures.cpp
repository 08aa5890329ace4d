#include <QString>

#include "tools/skingen/art.h"

namespace zn::skingen {

std::map<QString, QImage> skinPictures(const DeviceArt& dev, const ScreenArt& scr) {
    std::map<QString, QImage> files = {{"background.png", dev.background},
                                       {"screen.png", scr.lit},
                                       {"screen_glass.png", scr.glass},
                                       {"power_on.png", dev.powerOn},
                                       {"select_down.png", dev.selectDown},
                                       {"start_down.png", dev.startDown},
                                       {"joystick.png", dev.joystick},
                                       {"arrow_up.png", dev.arrows[0]},
                                       {"arrow_left.png", dev.arrows[1]},
                                       {"arrow_right.png", dev.arrows[2]},
                                       {"arrow_down.png", dev.arrows[3]},
                                       {"gameover.png", scr.gameOver},
                                       {"life.png", scr.life},
                                       {"nibbo.png", scr.nibbo},
                                       {"ghost.png", scr.ghost},
                                       {"pill.png", scr.pill},
                                       {"energizer.png", scr.energizer},
                                       {"star.png", scr.star}};
    for (int d = 0; d <= 9; ++d) files[QStringLiteral("digit_%1.png").arg(d)] = scr.digits[d];
    return files;
}

}  // namespace zn::skingen
