#pragma once
// TForm1, the main window: the simulated device. It owns the one game, the painted
// surface that holds every image, the timers, the random source, the sound output and
// the settings store, and ties them together: start-up (FormCreate), the first
// activation (splash), the close (sound shutdown), key and mouse input, the display
// modes and the controller overlays. Its state is its own: the dialogs and menus reach it
// through the small interfaces it implements (KeysHost, SplashHost, MenuHost), and
// nothing reaches it through a global.
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "display/gamemenu.h"
#include "display/menuhost.h"
#include "display/qttimers.h"
#include "display/surface.h"
#include "engine/game.h"
#include "input/dispatch.h"
#include "input/keys.h"
#include "input/keytable.h"
#include "shell/appsettings.h"
#include "shell/clockrandom.h"
#include "shell/gamepadpump.h"
#include "shell/popupmenu.h"
#include "shell/qtappservices.h"
#include "shell/replayhost.h"
#include "shell/splash.h"
#include "sound/soundoutput.h"
#include "ui/narration.h"

namespace zn {

class TAboutForm;

class TForm1 : public QWidget,
               private InputOperations,
               private KeysHost,
               private SplashHost,
               private MenuHost {
    Q_OBJECT
public:
    // Runs FormCreate: the window ends up off-screen, laid out for the stored display mode,
    // with the stored key bindings, the device off and nothing shown on screen yet. zoom: the
    // windowed size in percent for this run (a valid zoom, isZoomPercent) in place of the
    // stored one; it is not stored. replay: a run that plays or records a recording, on the
    // virtual clock of a ReplayHost (--replay, --record); without it Qt's timers drive the game.
    explicit TForm1(QWidget* parent = nullptr, std::optional<int> zoom = std::nullopt,
                    std::optional<ReplayHost::Setup> replay = std::nullopt);
    ~TForm1() override;

    Game& game() { return *game_; }
    // --speed PERCENT: the game's pace for this run (a valid speed), not stored; a recording
    // played keeps its own.
    void setSpeedForThisRun(int percent);
    int speed() const { return speed_; }
    AppSettings& App_Settings() override { return *settings_; }
    SoundOutput& sound() { return sound_; }
    // The painted surface, the size of the client area. The game menu puts its rows on it
    // as child widgets, above every image.
    Surface& surface() { return *surface_; }

    // What the key settings dialog, the splash dialog and the two menus see of this window.
    KeysHost& keysHost() { return *this; }
    SplashHost& splashHost() { return *this; }
    MenuHost& menuHost() { return *this; }

    // The window's state, read-only; the dialogs and menus change it through the interfaces
    // above.
    bool splashPending() const { return Splash_Pending; }
    bool fullscreen() const override { return Vid_Fullscreen; }
    bool ctrlOverlay() const override { return Vid_Ctrl_Overlay; }
    bool gameMenuOpen() const override { return Vid_Game_Menu_Open; }
    QPoint dragStart() const { return {Vid_Drag_X, Vid_Drag_Y}; }
    const InpKeys& keyBindings() const override { return Inp_Keys; }

    // After changing a Key_Index call AssignWord for that binding, then Inp_Build_Hints once.
    void AssignWord(int i) override;
    // Rebuilds the tooltips of the click areas from the bindings and the power state.
    void Inp_Build_Hints() override;

    // Shows the four overlay arrows and hides the joystick picture when Vid_Ctrl_Overlay
    // is true, the reverse when it is false.
    void Vid_Display_Ctrl_Overlay();
    // Centres the window on the screen (never at negative coordinates); in full screen
    // this is (0,0), and the window manager, if any, is asked for the full-screen state.
    // A window still out of sight since the start is shown here, in its place.
    void centreWindow() override;
    // Moves the window out of sight: top = -screen height, left = -screen width. At the
    // start the window is also kept unmapped (see startShowing).
    void moveOffscreen();
    // The message loop's first turn. Until the start dialog's play action centres it, the
    // window stays unmapped: a window manager pulls a window at negative coordinates back
    // until a corner shows, so on X11 only an unmapped window is truly out of sight. The
    // first activation (FormActivate: the start dialog comes up) is therefore queued here
    // rather than left to a window event; a start that played during the dialog's creation
    // has already shown the window.
    void startShowing();
    // Runs the skin set-up for Vid_Fullscreen, then scales the surface: windowed by the
    // zoom, full screen fitted to the screen when the stored FullscreenFit is on. The
    // display-mode switch is moveOffscreen(); Gfx_Init(); centreWindow().
    bool Gfx_Init();

    // The windowed size in percent of the skin's, as last laid out: the chosen zoom as far
    // as the screen's free area takes it (zoomInForce). chosenZoom is the user's choice:
    // the stored Zoom, or the command line's for this run.
    int zoom() const { return zoom_; }
    int chosenZoom() const { return zoomChosen_; }
    // setZoom takes a stored-style value (made valid by zoomPercentFrom) as the user's
    // choice, stores it and, in windowed mode, resizes the window to the zoom in force about
    // its centre and keeps it on the screen's available area. In full screen the choice is
    // kept for the windowed mode and changes nothing on the screen.
    void setZoom(int percent);
    // One step (kZoomStep) up (+1) or down (-1) from the zoom in force, as Ctrl and + or -
    // and Ctrl and the wheel do in windowed mode. A step the screen has no room for changes
    // nothing, neither the window nor the stored choice (which a larger screen may take).
    void zoomBy(int steps);

    // The sound start-up on the driver list's text (a caption of kSoundOutputs: "PulseAudio",
    // "ALSA", "(no sound)"): sets game().Snd_Enabled, stores SoundMode and starts
    // the output. When the first sample does not load it reports it (standard error and
    // the error box), stores SoundMode -1 and SplashScreen true, requests the end of the
    // application with status 1 and returns false. Any other text changes nothing.
    bool startSound(const QString& driverText) override;

    // Ends the application directly, without FormClose (the exit command, Escape in the
    // splash, a failed sound start-up); the current event finishes first.
    void quitApplication() override;

    // The windows created after this one, in the order of the start of the system. The
    // first activation shows splash when Splash_Pending; the menus show the others.
    void attachDialogs(TAboutForm* about, TKeysForm* keys, TSplashForm* splash);
    TAboutForm* aboutForm() const { return about_; }
    TKeysForm* keysForm() const { return keys_; }
    TSplashForm* splashForm() const { return splash_; }

    // The popup menu pm_0_menu (opened by a right click anywhere on the window, its
    // shortcut keys installed on this window) and the in-window game menu.
    PopupMenu& popupMenu() { return *popup_; }
    GameMenu& gameMenu() { return *gameMenu_; }
    // The game controllers; they start after the window is first shown.
    GamepadPump& gamepads() { return *gamepads_; }

    // Handlers of the main window.
    void FormCreate();
    void FormActivate();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool event(QEvent* e) override;

private:
    // InputOperations: the press and release operations of the seven controls.
    void press(Control c) override;
    void release(Control c) override;

    // KeysHost
    void setKeyIndex(int i, int index) override;
    void enableMainWindow() override;
    // SplashHost
    void showSwitchedOff() override;
    void clearSplashPending() override { Splash_Pending = false; }
    // MenuHost
    void setFullscreen(bool on) override { Vid_Fullscreen = on; }
    void setCtrlOverlay(bool on) override { Vid_Ctrl_Overlay = on; }
    void setGameMenuOpen(bool open) override { Vid_Game_Menu_Open = open; }

    void imagePressed(ImageId id, Qt::MouseButton button, QPoint local);
    void imageReleased(ImageId id, Qt::MouseButton button, QPoint local);
    void imageMoved(ImageId id, Qt::MouseButtons buttons, QPoint local);
    void imageClicked(ImageId id);

    // The drag images: backdrop, device body, lit screen, screen top and joystick picture.
    void im_backgroundMouseDown(Qt::MouseButton button, int x, int y);
    void im_backgroundMouseMove(Qt::MouseButtons buttons, int x, int y);

    void FormClose();
    void createPopupMenu();
    // What a press or release that reaches the game does: the game's operation, and for power
    // the tooltips.
    void pressDevice(Control c);
    // The recording's events and the player's presses under a ReplayHost reach pressDevice.
    class DeviceControls : public InputOperations {
    public:
        explicit DeviceControls(TForm1& form) : form_(form) {}
        void press(Control c) override { form_.pressDevice(c); }
        void release(Control c) override { releaseOnGame(*form_.game_, c); }

    private:
        TForm1& form_;
    };
    void applyScale();
    // The available area (without panels) of the screen the window is on, and the zoom in
    // force there for a chosen one.
    QRect freeArea() const;
    int fittingZoom(int chosen) const;
    // Ctrl with + (or =) or -, on the main keyboard or the keypad: the zoom step, 0 for none.
    static int zoomStepOf(const QKeyEvent& e);

    // Cleared by the first activation (which then shows the splash) or by the splash dialog
    // when it plays by itself during its creation.
    bool Splash_Pending = true;
    // Display-mode state. The popup menu changes it, stores it and then calls the matching
    // operation above.
    bool Vid_Fullscreen = true;
    bool Vid_Ctrl_Overlay = true;
    bool Vid_Game_Menu_Open = false;
    std::int32_t Vid_Drag_X = 0;
    std::int32_t Vid_Drag_Y = 0;
    // The windowed zoom in force and the chosen one (percent), the full-screen fit (read at
    // each Gfx_Init), and the wheel's turn not yet used up by a zoom step (a notch is 120).
    int zoom_ = kZoomDefault;
    int zoomChosen_ = kZoomDefault;
    std::optional<int> zoomForThisRun_;
    bool zoomLimitReported_ = false;  // the command line's zoom was cut down: said once
    bool fullscreenFit_ = false;
    int wheelTurn_ = 0;
    // Key bindings [1..7] and hint names [1..44].
    InpKeys Inp_Keys{};
    InpKeyNames Inp_Key_Names;

    Surface* surface_ = nullptr;  // child widget, owned by Qt
    QtTimers timers_;
    ClockRandom random_;
    SoundOutput sound_;
    QtAppServices services_;
    std::optional<ReplayHost::Setup> replaySetup_;
    std::unique_ptr<ReplayHost> replay_;  // before game_: the game runs on its services
    DeviceControls deviceControls_{*this};
    std::unique_ptr<Game> game_;
    std::unique_ptr<AppSettings> settings_;
    // After game_: what the controllers hold is released into the game when they go.
    std::unique_ptr<GamepadPump> gamepads_;

    std::unique_ptr<GameMenu> gameMenu_;
    std::unique_ptr<PopupMenu> popup_;

    // The figures told in words to assistive technology (the window's accessible
    // description), after every timer event and every press; F8 tells the whole state.
    void narrate();
    void speak(const std::string& words);
    void sayNext();
    static constexpr int kSpeakGapMs = 400;
    std::deque<QString> unsaid_;
    QTimer speaking_;
    // The game's pace (kSpeeds) handed to whichever clock runs the game.
    void applySpeed();
    // F6 and F7: one speed down or up, stored, said and shown for a moment.
    void stepSpeed(bool faster);
    int speed_ = kSpeedDefault;
    Narrator narrator_;
    QElapsedTimer narrationClock_;

    TAboutForm* about_ = nullptr;
    TKeysForm* keys_ = nullptr;
    TSplashForm* splash_ = nullptr;
};

}  // namespace zn
