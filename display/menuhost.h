#pragma once
// The main window's display-mode state as its two menus see it: the popup menu switches
// the display mode and the controller overlays, the game menu opens and closes. The main
// window implements it; the menus never hold references to its fields.
namespace zn {

class MenuHost {
public:
    virtual ~MenuHost() = default;

    virtual bool fullscreen() const = 0;  // Vid_Fullscreen
    virtual void setFullscreen(bool on) = 0;
    virtual bool ctrlOverlay() const = 0;  // Vid_Ctrl_Overlay
    virtual void setCtrlOverlay(bool on) = 0;
    virtual bool gameMenuOpen() const = 0;  // Vid_Game_Menu_Open
    virtual void setGameMenuOpen(bool open) = 0;
};

}  // namespace zn
