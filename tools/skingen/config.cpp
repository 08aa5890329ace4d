#include "tools/skingen/config.h"

#include <QStringList>
#include <string>

#include "engine/images.h"
#include "tools/skingen/layout.h"

namespace zn::skingen {
namespace {

// Column and row of a grid figure's name, for example "im_pill_03_05" -> (3, 5).
QPoint cellOf(std::string_view name) {
    const std::size_t at = name.find('_', 3);
    const int col = std::stoi(std::string(name.substr(at + 1, 2)));
    const int row = std::stoi(std::string(name.substr(at + 4, 2)));
    return {col, row};
}

}  // namespace

SlotSkin slotSkin(int slot) {
    using namespace img;
    const ImageId id = slotImage(slot);
    const std::string_view name = imageName(id);
    if (id == im_background) return {"background.png", QRect(0, 0, kGameWidth, kGameHeight)};
    if (id == im_background_screen) return {"screen.png", kScreen};
    if (id == im_background_screen_top) return {"screen_glass.png", kScreen};
    if (id == btn_power_top) return {"nil", kPowerRect};
    if (id == btn_power_on) return {"power_on.png", kPowerRect};
    if (id == btn_select_top) return {"nil", buttonRect(kSelectCentre)};
    if (id == btn_select_down) return {"select_down.png", buttonRect(kSelectCentre)};
    if (id == btn_start_top) return {"nil", buttonRect(kStartCentre)};
    if (id == btn_start_down) return {"start_down.png", buttonRect(kStartCentre)};
    if (id == btn_joystick_top) return {"joystick.png", kJoystick};
    if (id == btn_ctrlr_overlay_up) return {"arrow_up.png", arrowRect(0, -1)};
    if (id == btn_ctrlr_overlay_left) return {"arrow_left.png", arrowRect(-1, 0)};
    if (id == btn_ctrlr_overlay_right) return {"arrow_right.png", arrowRect(1, 0)};
    if (id == btn_ctrlr_overlay_down) return {"arrow_down.png", arrowRect(0, 1)};
    if (id == im_panel_gameover) return {"gameover.png", kGameOver};
    if (id == im_panel_lives_1) return {"life.png", lifeRect(1)};
    if (id == im_panel_lives_2) return {"life.png", lifeRect(2)};
    for (int p = 1; p <= 5; ++p)
        if (id == im_panel_digit_pos(p)) return {"", digitRect(p)};  // filled by copies at run time
    for (int d = 0; d <= 9; ++d)
        if (id == im_panel_number(d)) return {QStringLiteral("digit_%1.png").arg(d), digitRect(1)};

    const QPoint cell = cellOf(name);
    if (name.starts_with("im_nibbo_"))
        return {"nibbo.png", figureRect(cell.x(), cell.y(), kNibboSize, kNibboShift)};
    if (name.starts_with("im_ghost_"))
        return {"ghost.png", figureRect(cell.x(), cell.y(), kGhostSize, kGhostShift)};
    const PillKind kind = pillKind(cell.x(), cell.y());
    const char* file = kind == PillKind::Star        ? "star.png"
                       : kind == PillKind::Energizer ? "energizer.png"
                                                     : "pill.png";
    return {file, figureRect(cell.x(), cell.y(), pillSize(kind), 0)};
}

QString configText() {
    QStringList out;
    out << "; Zorpy Nibbo default skin. Generated at build time; edit freely, the simulator reads"
        << "; it again at every switch between the windowed mode and full screen."
        << "; Colours are $00BBGGRR. Offsets: a number of pixels, or Center."
        << ""
        << "[Common]"
        << "SkinDir=Graphics\\Skin\\" << QStringLiteral("GameWidth=%1").arg(kGameWidth)
        << QStringLiteral("GameHeight=%1").arg(kGameHeight) << ""
        << "[Fullscreen]"
        << "BackdropDir=Graphics\\Backdrop\\"
        << "BackdropFile=backdrop.png"
        << "BackdropStretch=1"
        << "BgColor=$00000000"
        << "GameOffsetX=Center"
        << "GameOffsetY=Center"
        << "LogoFile=logo.png"
        << "LogoPosition=1"
        << ""
        << "[VideoMode]"
        << "TranspColor=$00ff00ff"
        << "";
    for (int n = 1; n <= 198; ++n) {
        const SlotSkin s = slotSkin(n);
        out << QStringLiteral("; %1").arg(QString::fromLatin1(imageName(slotImage(n))))
            << QStringLiteral("[Image%1]").arg(n) << QStringLiteral("Filename=%1").arg(s.file)
            << QStringLiteral("Left=%1").arg(s.rect.left()) << QStringLiteral("Top=%1").arg(s.rect.top())
            << QStringLiteral("Width=%1").arg(s.rect.width())
            << QStringLiteral("Height=%1").arg(s.rect.height()) << "";
    }
    return out.join('\n');
}

}  // namespace zn::skingen
