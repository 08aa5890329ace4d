#include "shell/unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "display/gamefolder.h"
#include "display/gfxinit.h"
#include "display/skinfile.h"
#include "ui/dialogdata.h"
#include "ui/imageroles.h"
#include "ui/zoomfit.h"
#include "input/dialoglook.h"
#include "shell/about.h"
#include "sound/sample_files.h"

namespace zn {
namespace {

const char* const kAppTitle = ui::kProgramTitle.data();  // a literal: ends with its NUL

}  // namespace

TForm1::TForm1(QWidget* parent, std::optional<int> zoom, std::optional<ReplayHost::Setup> replay)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      zoomForThisRun_(zoom),
      replaySetup_(std::move(replay)) {
    surface_ = new Surface(this);
    surface_->move(0, 0);
    setFocusPolicy(Qt::StrongFocus);
    timers_.setHandler([this](TimerId t) {
        game_->onTimer(t);
        narrate();
    });
    narrationClock_.start();
    speaking_.setSingleShot(true);
    connect(&speaking_, &QTimer::timeout, this, &TForm1::sayNext);

    using namespace img;
    for (ImageId id :
         {btn_power_top, btn_select_top, btn_start_top, btn_ctrlr_overlay_up, btn_ctrlr_overlay_left,
          btn_ctrlr_overlay_right, btn_ctrlr_overlay_down, btn_game_menu_top})
        surface_->setImageCursor(id, Qt::PointingHandCursor);
    surface_->setImageCursor(btn_joystick_top, Qt::WhatsThisCursor);

    connect(surface_, &Surface::imagePressed, this, &TForm1::imagePressed);
    connect(surface_, &Surface::imageReleased, this, &TForm1::imageReleased);
    connect(surface_, &Surface::imageMoved, this, &TForm1::imageMoved);
    connect(surface_, &Surface::imageClicked, this, &TForm1::imageClicked);

    FormCreate();
    narrate();  // the narrator takes in the device as it starts: switched off
    // A controller presses, as a key does, only when the device has the keyboard.
    gamepads_ = std::make_unique<GamepadPump>(static_cast<InputOperations&>(*this), [this] {
        return isActiveWindow() && isEnabled() && !QApplication::activePopupWidget() &&
               !QApplication::activeModalWidget();
    });
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    QGuiApplication::setApplicationDisplayName(QString::fromLatin1(kAppTitle));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    moveOffscreen();
    if (replaySetup_) {
        replay_ = std::make_unique<ReplayHost>(*surface_, std::move(*replaySetup_));
        replaySetup_.reset();
        game_ = std::make_unique<Game>(replay_->timers(), replay_->figures(), sound_, replay_->random());
        replay_->attach(*game_, deviceControls_);
        connect(replay_.get(), &ReplayHost::moved, this, &TForm1::narrate);
    } else {
        game_ = std::make_unique<Game>(timers_, *surface_, sound_, random_);  // figure tables, labyrinth
    }
    gameMenu_ =
        std::make_unique<GameMenu>(*surface_, *surface_, menuHost(), arialFont(GameMenu::kRowFontCell));
    settings_ = std::make_unique<AppSettings>();
    speed_ = speedPercentFrom(settings_->read(Setting::Speed));
    applySpeed();
    Vid_Fullscreen = settings_->readFlag(Setting::FullscreenMode);
    zoomChosen_ = zoomForThisRun_ ? zoomPercentFrom(*zoomForThisRun_) : settings_->readZoom();
    Gfx_Init();
    Vid_Game_Menu_Open = false;
    Inp_Key_Names = fillKeyNames();
    for (int i = 1; i <= kBindingCount; ++i)
        Inp_Keys[static_cast<std::size_t>(i)].Key_Index = settings_->read(keySetting(i));
    for (int i = 1; i <= kBindingCount; ++i) {
        setKeyIndex(i, Inp_Keys[static_cast<std::size_t>(i)].Key_Index);
        AssignWord(i);
    }
    Inp_Build_Hints();
    Vid_Ctrl_Overlay = settings_->readFlag(Setting::CtrlrOverlay);
    createPopupMenu();  // its check marks start as Vid_Fullscreen and Vid_Ctrl_Overlay
    gameMenu_->setMenuItems(popup_->items());
    Vid_Display_Ctrl_Overlay();
    // Qt composes every widget off-screen before showing it: double buffering is always on.
    game_->Inp_Joystick_Right = false;
    game_->Inp_Joystick_Up = false;
    game_->Inp_Joystick_Left = false;
    game_->Inp_Joystick_Down = false;
    random_.Randomize();
}

void TForm1::FormActivate() {
    if (!Splash_Pending) return;
    Splash_Pending = false;
    if (splash_) {
        splash_->show();
        splash_->raise();
        splash_->activateWindow();
    }
}

void TForm1::FormClose() {
    gamepads_->stop();
    sound_.shutDown();
    // The settings store keeps no handle open between accesses: nothing to release.
}

void TForm1::createPopupMenu() {
    PopupMenu::Commands c;
    c.showAbout = [this] {
        if (!about_) return;
        about_->show();
        about_->raise();
        about_->activateWindow();
    };
    c.showKeySettings = [this] {
        if (!keys_) return;
        centreOnScreen(*keys_);
        keys_->show();
        keys_->raise();
        keys_->activateWindow();
    };
    c.moveOffscreen = [this] { moveOffscreen(); };
    c.Gfx_Init = [this](bool fullscreen) {
        Vid_Fullscreen = fullscreen;
        return Gfx_Init();
    };
    c.centreWindow = [this] { centreWindow(); };
    c.Vid_Display_Ctrl_Overlay = [this] { Vid_Display_Ctrl_Overlay(); };
    c.splashCheckBox = [this] { return !splash_ || splash_->chb_splashscreen()->isChecked(); };
    c.readFlag = [this](Setting s, bool whenMissing) { return settings_->readFlag(s, whenMissing); };
    c.writeFlag = [this](Setting s, bool value) { settings_->writeFlag(s, value); };
    c.openDocument = &PopupMenu::openDocument;
    c.editableConfig = &editableConfig;
    c.quit = [this] { quitApplication(); };
    popup_ = std::make_unique<PopupMenu>(*this, menuHost(), *gameMenu_, std::move(c));
}

void TForm1::attachDialogs(TAboutForm* about, TKeysForm* keys, TSplashForm* splash) {
    about_ = about;
    keys_ = keys;
    splash_ = splash;
    if (splash_)
        connect(splash_, &TSplashForm::splashScreenStored, popup_->pm_11_splashscreen, &QAction::setChecked);
}

void TForm1::AssignWord(int i) { zn::AssignWord(Inp_Keys, i); }

void TForm1::setKeyIndex(int i, int index) {
    Inp_Keys[static_cast<std::size_t>(i)].Key_Index = index;
    settings_->write(keySetting(i), index);
}

// The keyboard goes back to the device, also where no window manager hands it over.
void TForm1::enableMainWindow() {
    setEnabled(true);
    activateWindow();
}

void TForm1::Inp_Build_Hints() {
    const HintTexts h = hintTexts(Inp_Keys, Inp_Key_Names, game_->Gam_Mode == Mode_Off);
    using namespace img;
    surface_->setImageToolTip(btn_power_top, h.power);
    surface_->setImageToolTip(btn_select_top, h.select);
    surface_->setImageToolTip(btn_start_top, h.start);
    surface_->setImageToolTip(btn_joystick_top, h.joystick);
    surface_->setImageToolTip(btn_ctrlr_overlay_up, h.overlayUp);
    surface_->setImageToolTip(btn_ctrlr_overlay_left, h.overlayLeft);
    surface_->setImageToolTip(btn_ctrlr_overlay_right, h.overlayRight);
    surface_->setImageToolTip(btn_ctrlr_overlay_down, h.overlayDown);
}

void TForm1::Vid_Display_Ctrl_Overlay() {
    for (ImageId id : kOverlayArrows) surface_->setVisible(id, Vid_Ctrl_Overlay);
    surface_->setVisible(img::btn_joystick_top, !Vid_Ctrl_Overlay);
}

void TForm1::centreWindow() {
    centreOnScreen(*this);
    // Where a window manager runs it is asked for the full-screen state as well; without
    // one the window's own size and place already cover the screen.
    Qt::WindowStates states = windowState() & ~Qt::WindowFullScreen;
    if (Vid_Fullscreen) states |= Qt::WindowFullScreen;
    if (states != windowState()) setWindowState(states);
    // The window comes into sight here: it takes the keyboard, which the start dialog had.
    if (!isVisible()) show();
    raise();
    activateWindow();
}

void TForm1::startShowing() {
    if (Splash_Pending) QTimer::singleShot(0, this, &TForm1::FormActivate);
}

void TForm1::moveOffscreen() {
    if (windowState() & Qt::WindowFullScreen) setWindowState(windowState() & ~Qt::WindowFullScreen);
    const QRect screen = screenGeometry();
    move(-screen.width(), -screen.height());
}

bool TForm1::Gfx_Init() {
    fullscreenFit_ = settings_->readFlag(Setting::FullscreenFit);
    // The set-up may stop at an error box while the window waits out of sight: a window still
    // scaled for the old mode would reach from there onto the screen, half built.
    surface_->setScale({});
    const bool ok = zn::Gfx_Init(*surface_, services_, Vid_Fullscreen);
    applyScale();
    surface_->flushChanges();
    return ok;
}

QRect TForm1::freeArea() const {
    const QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
    return scr ? scr->availableGeometry() : QRect();
}

int TForm1::fittingZoom(int chosen) const {
    const QRect free = freeArea();
    if (free.isEmpty()) return chosen;
    const PixelSize client{surface_->clientWidth(), surface_->clientHeight()};
    return zoomInForce(chosen, kZoomStep, {free.width(), free.height()},
                       [client](int percent) { return zoomedSize(client, percent); });
}

void TForm1::applyScale() {
    Surface::Scale scale;  // full screen as the skin places it: pixel for pixel
    if (!Vid_Fullscreen) {
        zoom_ = fittingZoom(zoomChosen_);
        if (zoomForThisRun_ && zoom_ < zoomChosen_ && !zoomLimitReported_) {
            zoomLimitReported_ = true;
            const QSize free = freeArea().size();
            std::fprintf(stderr,
                         "zorpy-nibbo: --zoom %d does not fit on the screen (%d x %d free): %d %% instead\n",
                         zoomChosen_, free.width(), free.height(), zoom_);
            std::fflush(stderr);
        }
        // A window larger than the largest game area would be no use on any screen.
        const double w = std::max(1, surface_->clientWidth()), h = std::max(1, surface_->clientHeight());
        const double z = std::min({zoom_ / 100.0, skin::kMaxExtent / w, skin::kMaxExtent / h});
        scale = {z, {}, z};
    } else if (fullscreenFit_) {
        const ImageId logo = img::im_backdrop_logo;
        scale =
            Surface::fitted(QSize(surface_->clientWidth(), surface_->clientHeight()), surface_->gameArea(),
                            surface_->imageVisible(logo) ? surface_->imageRect(logo) : QRect());
    }
    surface_->setScale(scale);
}

void TForm1::setZoom(int percent) {
    const int z = zoomPercentFrom(percent);
    settings_->write(Setting::Zoom, z);
    zoomChosen_ = z;
    if (Vid_Fullscreen || fittingZoom(z) == zoom_) return;
    const QPoint centre = geometry().center();
    applyScale();
    surface_->flushChanges();
    // About the old centre, then pushed back onto the screen's free area (its top-left
    // corner first when the window is larger than that area).
    const QRect free = freeArea().isEmpty() ? QRect(0, 0, width(), height()) : freeArea();
    const int x = std::max(free.left(), std::min(centre.x() - width() / 2, free.right() + 1 - width()));
    const int y = std::max(free.top(), std::min(centre.y() - height() / 2, free.bottom() + 1 - height()));
    move(x, y);
}

void TForm1::zoomBy(int steps) {
    if (Vid_Fullscreen) return;
    const int next = std::clamp(zoom_ + steps * kZoomStep, kZoomMin, kZoomMax);
    if (fittingZoom(next) == zoom_) return;
    setZoom(next);
}

bool TForm1::startSound(const QString& driverText) {
    const SoundOutputItem* output = soundOutputByCaption(driverText.toStdString());
    if (output == nullptr) return true;
    game_->Snd_Enabled = output->sdlDriver != nullptr;
    settings_->write(Setting::SoundMode, output->soundMode);
    if (!game_->Snd_Enabled) return true;
    if (sound_.Snd_Start(*output)) return true;
    services_.endWithError(
        QStringLiteral("Sound folder unproperly installed. Please reinstall the game."),
        QFileInfo(QString::fromLatin1(kSampleFiles[static_cast<int>(Sample::Bonus)])).absoluteFilePath());
    settings_->write(Setting::SoundMode, settingInfo(Setting::SoundMode).defaultValue);
    settings_->writeFlag(Setting::SplashScreen, true);
    return false;
}

// Every normal end passes here (Exit, Escape, closing the window): a recording is written last.
void TForm1::quitApplication() {
    if (replay_) replay_->finish();
    services_.quit();
}

void TForm1::showSwitchedOff() {
    game_->Gam_Set_Mode(Mode_Off);
    if (replay_) replay_->start();  // the device is in sight: its clock starts
}

void TForm1::closeEvent(QCloseEvent* e) {
    FormClose();
    e->accept();
    quitApplication();
}

}  // namespace zn
