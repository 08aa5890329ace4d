#pragma once
// The default skin's Config.ini: which picture file and rectangle each of the 198 image
// slots gets, and the text of the file.
#include <QRect>
#include <QString>

namespace zn::skingen {

struct SlotSkin {
    QString file;  // in Graphics/Skin/; "nil" for click areas, empty for the digit positions
    QRect rect;    // in game-area pixels
};

SlotSkin slotSkin(int slot);  // slot 1..198

QString configText();

}  // namespace zn::skingen
