// The main window on the offscreen platform, laid out by a small skin that the test
// writes next to the test program, with a private settings store.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

#include "shell/unit1.h"
#include "tests/gamepad/virtualpad.h"

namespace zn {
namespace {

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

void savePicture(const QString& name, int w, int h, QColor c) {
    QImage im(w, h, QImage::Format_ARGB32);
    im.fill(c);
    ASSERT_TRUE(im.save(scratch().filePath(QStringLiteral("skin/") + name)));
}

// A device 200 x 200 in a game area of 300 x 200: the right third is key colour.
void writeSkin() {
    QDir(scratch().path()).mkpath(QStringLiteral("skin"));
    savePicture(QStringLiteral("body.png"), 200, 200, Qt::gray);
    savePicture(QStringLiteral("button.png"), 20, 20, Qt::darkGray);
    savePicture(QStringLiteral("on.png"), 20, 20, Qt::red);
    savePicture(QStringLiteral("arrow.png"), 20, 20, Qt::white);
    savePicture(QStringLiteral("stick.png"), 60, 60, Qt::black);
    savePicture(QStringLiteral("screen.png"), 160, 100, Qt::green);
    QByteArray ini = "[Common]\nSkinDir=" + scratch().filePath(QStringLiteral("skin")).toUtf8() +
                     "\nGameWidth=300\nGameHeight=200\n[VideoMode]\nTranspColor=$00ff00ff\n";
    struct Slot {
        int n;
        const char* file;
        int l, t, w, h;
    };
    const Slot slots[] = {{1, "body.png", 0, 0, 200, 200},     {3, "screen.png", 20, 20, 160, 100},
                          {4, "button.png", 10, 150, 20, 20},  {5, "on.png", 10, 150, 20, 20},
                          {6, "button.png", 40, 150, 20, 20},  {8, "button.png", 70, 150, 20, 20},
                          {10, "stick.png", 120, 120, 60, 60}, {11, "arrow.png", 140, 120, 20, 20},
                          {12, "arrow.png", 120, 140, 20, 20}, {13, "arrow.png", 160, 140, 20, 20},
                          {14, "arrow.png", 140, 160, 20, 20}};
    for (const Slot& s : slots)
        ini += QStringLiteral("[Image%1]\nFilename=%2\nLeft=%3\nTop=%4\nWidth=%5\nHeight=%6\n")
                   .arg(s.n)
                   .arg(QString::fromLatin1(s.file))
                   .arg(s.l)
                   .arg(s.t)
                   .arg(s.w)
                   .arg(s.h)
                   .toUtf8();
    writeFile(QCoreApplication::applicationDirPath() + QStringLiteral("/Config.ini"), ini);
}

// form_main.cpp points XDG_CONFIG_HOME at a folder of this run.
QString configHome() { return qEnvironmentVariable("XDG_CONFIG_HOME"); }
QString storePath() { return configHome() + QStringLiteral("/Quillon/Zornibak50.conf"); }

void writeStore(const QByteArray& lines) {
    QDir().mkpath(configHome() + QStringLiteral("/Quillon"));
    writeFile(storePath(), "[General]\n" + lines);
}

QString stored(const char* name) {
    QSettings store(storePath(), QSettings::IniFormat);
    return store.value(QString::fromLatin1(name)).toString();
}

void sendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { writeSkin(); }
    static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }
};

TEST_F(FormTest, FirstStartWithAnEmptyStore) {
    writeStore("");
    TForm1 form;
    EXPECT_TRUE(form.fullscreen());
    EXPECT_TRUE(form.ctrlOverlay());
    EXPECT_FALSE(form.gameMenuOpen());
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);
    EXPECT_EQ(form.pos(), QPoint(-screen().width(), -screen().height()));
    EXPECT_EQ(form.size(), screen().size());  // full screen
    const char* expected[] = {"2", "3", "4", "37", "39", "40", "38"};
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(stored(QStringLiteral("Key%1").arg(i).toLatin1().constData()), expected[i - 1]) << i;
    Surface& s = form.surface();
    EXPECT_TRUE(s.imageVisible(img::btn_ctrlr_overlay_up));
    EXPECT_TRUE(s.imageVisible(img::btn_ctrlr_overlay_down));
    EXPECT_FALSE(s.imageVisible(img::btn_joystick_top));
    EXPECT_EQ(s.imageToolTip(img::btn_power_top), "click or press '1' to turn on the game");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Zorpy Nibbo (Korvent, Plimquad) Simulator");
}

TEST_F(FormTest, StoredBindingsAreReadCheckedAndWrittenBack) {
    writeStore("Key1=44\nKey2=99\nKey3=abc\nFullscreenMode=x\nCtrlrOverlay=0\n");
    TForm1 form;
    EXPECT_EQ(form.keyBindings()[1].Key_Code, 32);
    EXPECT_EQ(form.keyBindings()[2].Key_Code, 0);  // no such key: the control has none
    EXPECT_EQ(form.keyBindings()[3].Key_Index, 4);
    EXPECT_EQ(stored("Key3"), "4");
    EXPECT_EQ(stored("Key2"), "99");
    EXPECT_TRUE(form.fullscreen());  // "x" gives the default
    EXPECT_FALSE(form.ctrlOverlay());
    EXPECT_TRUE(form.surface().imageVisible(img::btn_joystick_top));
    EXPECT_FALSE(form.surface().imageVisible(img::btn_ctrlr_overlay_left));
    EXPECT_EQ(form.surface().imageToolTip(img::btn_power_top),
              "click or press 'spacebar' to turn on the game");
    EXPECT_EQ(form.surface().imageToolTip(img::btn_select_top), "click or press <no key> to select game");
}

TEST_F(FormTest, KeysWorkTheDeviceAndThePowerTooltipFollows) {
    writeStore("SoundMode=2\n");
    TForm1 form;
    QTest::keyClick(&form, Qt::Key_1, Qt::KeypadModifier);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);  // the keypad's 1 is not the main keyboard's
    QTest::keyClick(&form, Qt::Key_1);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Power_On);
    EXPECT_TRUE(form.surface().imageVisible(img::btn_power_on));
    EXPECT_EQ(form.surface().imageToolTip(img::btn_power_top), "click or press '1' to turn off the game");
    QTest::keyPress(&form, Qt::Key_Up);
    EXPECT_TRUE(form.game().Inp_Joystick_Up);
    QTest::keyRelease(&form, Qt::Key_Up);
    EXPECT_FALSE(form.game().Inp_Joystick_Up);
    QTest::keyPress(&form, Qt::Key_Left);
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
    QCoreApplication::sendEvent(&form, &repeatRelease);
    EXPECT_TRUE(form.game().Inp_Joystick_Left);  // the release half of an auto-repeat is ignored
    QTest::keyClick(&form, Qt::Key_1);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);
    EXPECT_FALSE(form.surface().imageVisible(img::btn_power_on));
}

TEST_F(FormTest, ClickAreasTakeTheLeftButtonAndKeepTheMouseUntilRelease) {
    writeStore("FullscreenMode=0\n");
    TForm1 form;
    Surface& s = form.surface();
    sendMouse(s, QEvent::MouseButtonPress, {15, 155}, Qt::RightButton, Qt::RightButton);
    sendMouse(s, QEvent::MouseButtonRelease, {15, 155}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);
    sendMouse(s, QEvent::MouseButtonPress, {15, 155}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {15, 155}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Power_On);
    // a double click is a second press of its own
    sendMouse(s, QEvent::MouseButtonDblClick, {15, 155}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {15, 155}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);

    sendMouse(s, QEvent::MouseButtonPress, {165, 145}, Qt::LeftButton, Qt::LeftButton);  // right arrow
    EXPECT_TRUE(form.game().Inp_Joystick_Right);
    sendMouse(s, QEvent::MouseMove, {280, 10}, Qt::NoButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {280, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(form.game().Inp_Joystick_Right);

    form.menuHost().setCtrlOverlay(false);
    form.Vid_Display_Ctrl_Overlay();
    sendMouse(s, QEvent::MouseButtonPress, {165, 145}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(form.game().Inp_Joystick_Right);  // hidden arrows take no clicks
    sendMouse(s, QEvent::MouseButtonRelease, {165, 145}, Qt::LeftButton, Qt::NoButton);
}

TEST_F(FormTest, DraggingMovesTheWindowInWindowedModeOnly) {
    writeStore("FullscreenMode=0\n");
    TForm1 form;
    Surface& s = form.surface();
    form.move(100, 100);
    sendMouse(s, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form.dragStart().x(), 50);
    sendMouse(s, QEvent::MouseMove, {60, 57}, Qt::NoButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {60, 57}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(110, 107));

    sendMouse(s, QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
    sendMouse(s, QEvent::MouseMove, {70, 70}, Qt::NoButton, Qt::RightButton);
    sendMouse(s, QEvent::MouseButtonRelease, {70, 70}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(110, 107));

    form.menuHost().setFullscreen(true);
    sendMouse(s, QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseMove, {40, 40}, Qt::NoButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {40, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(110, 107));
    EXPECT_EQ(form.dragStart().x(), 50);  // the stored drag point is kept
    EXPECT_EQ(form.dragStart().y(), 50);
}

TEST_F(FormTest, CentringAndTheDisplayModes) {
    writeStore("FullscreenMode=0\n");
    TForm1 form;
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_FALSE(form.surface().shapeMask().contains(QPoint(250, 100)));  // the key-coloured third
    EXPECT_TRUE(form.surface().shapeMask().contains(QPoint(100, 100)));
    form.centreWindow();
    EXPECT_EQ(form.pos(), QPoint((screen().width() - 300) / 2, (screen().height() - 200) / 2));

    form.menuHost().setFullscreen(true);
    form.moveOffscreen();
    EXPECT_EQ(form.pos(), QPoint(-screen().width(), -screen().height()));
    ASSERT_TRUE(form.Gfx_Init());
    form.centreWindow();
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_EQ(form.size(), screen().size());
    EXPECT_TRUE(form.mask().isEmpty());
    EXPECT_TRUE(form.surface().imageVisible(img::btn_game_menu_top));
}

void sendWheel(QWidget& w, int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent e(QPointF(20, 20), QPointF(w.mapToGlobal(QPoint(20, 20))), QPoint(), QPoint(0, delta),
                  Qt::NoButton, mods, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&w, &e);
}

TEST_F(FormTest, ZoomStepsWithCtrlAndTheWheelScaleClicksAndAreStored) {
    writeStore("FullscreenMode=0\nSoundMode=2\nZoom=260\n");  // not a step: read as 250
    TForm1 form;
    EXPECT_EQ(form.zoom(), 250);
    EXPECT_EQ(form.size(), QSize(750, 500));
    sendMouse(form.surface(), QEvent::MouseButtonPress, {37, 387}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(form.surface(), QEvent::MouseButtonRelease, {37, 387}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Power_On);  // the power button at 250 %

    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form.size(), QSize(675, 450));
    EXPECT_EQ(stored("Zoom"), "225");
    QTest::keyClick(&form, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(form.zoom(), 250);  // 275 % would be 825 wide: the 800 x 600 screen stops it
    EXPECT_EQ(stored("Zoom"), "250");
    sendWheel(form, -240, Qt::ControlModifier);  // two notches towards the user
    EXPECT_EQ(form.zoom(), 200);
    EXPECT_EQ(stored("Zoom"), "200");
    // without Ctrl nothing zooms; with Ctrl held the game's keys still work
    QTest::keyClick(&form, Qt::Key_Minus);
    sendWheel(form, 120, Qt::NoModifier);
    EXPECT_EQ(form.zoom(), 200);
    QTest::keyClick(&form, Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(form.game().Gam_Mode, Mode_Off);
    EXPECT_EQ(form.zoom(), 200);

    // growing keeps the window on the screen
    form.setZoom(100);
    form.move(screen().right() - 310, screen().bottom() - 205);
    for (int i = 0; i < 4; ++i) QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form.zoom(), 200);
    EXPECT_TRUE(screen().contains(form.geometry())) << form.geometry().x() << "," << form.geometry().y();
    // a choice larger than the screen: the largest step that fits, the choice kept in the store
    form.setZoom(400);
    EXPECT_EQ(form.zoom(), 250);
    QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form.zoom(), 250);
    EXPECT_EQ(stored("Zoom"), "400");

    // full screen: no zoom; the windowed zoom waits for the windowed mode
    form.menuHost().setFullscreen(true);
    ASSERT_TRUE(form.Gfx_Init());
    EXPECT_EQ(form.size(), screen().size());
    EXPECT_EQ(form.surface().widgetRect(img::im_background),
              QRect(0, 0, 200, 200).translated((screen().width() - 300) / 2, (screen().height() - 200) / 2));
    QTest::keyClick(&form, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form.zoom(), 250);
    EXPECT_EQ(stored("Zoom"), "400");
}

TEST_F(FormTest, ZoomOfTheCommandLineIsNotStoredAndFullScreenFitFillsTheScreen) {
    writeStore("FullscreenMode=0\nZoom=200\n");
    TForm1 windowed(nullptr, 50);
    EXPECT_EQ(windowed.size(), QSize(150, 100));
    EXPECT_EQ(stored("Zoom"), "200");
    EXPECT_TRUE(windowed.surface().shapeMask().contains(QPoint(99, 50)));  // the body, at half its size
    EXPECT_FALSE(windowed.surface().shapeMask().contains(QPoint(101, 50)));

    writeStore("FullscreenMode=1\nFullscreenFit=1\n");
    TForm1 fitted;
    const QRect body = fitted.surface().widgetRect(img::im_background);
    const double s = std::min(screen().width() / 300.0, screen().height() / 200.0);
    EXPECT_NEAR(body.width(), 200 * s, 1);
    EXPECT_NEAR(body.height(), 200 * s, 1);
    EXPECT_NEAR(body.left(), (screen().width() - 300 * s) / 2, 1);  // the game area centred
    EXPECT_NEAR(body.top(), (screen().height() - 200 * s) / 2, 1);
    EXPECT_EQ(fitted.surface().widgetRect(img::btn_game_menu_top), QRect(0, 0, 36, 32));
}

TEST_F(FormTest, TheGameMenuButtonAndTheRightClick) {
    writeStore("FullscreenMode=1\n");
    TForm1 form;
    Surface& s = form.surface();
    sendMouse(s, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(s, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(form.gameMenuOpen());
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(150, 150), s.mapToGlobal(QPoint(150, 150)));
    QCoreApplication::sendEvent(&s, &e);
    EXPECT_TRUE(form.popupMenu().pm_0_menu->isVisible());
    EXPECT_FALSE(form.gameMenuOpen());  // opening the popup menu closed the game menu
    form.popupMenu().pm_0_menu->hide();
}

TEST_F(FormTest, NoSoundIsStoredAndStartsNothing) {
    writeStore("");
    TForm1 form;
    EXPECT_TRUE(form.startSound(QStringLiteral("(no sound)")));
    EXPECT_FALSE(form.game().Snd_Enabled);
    EXPECT_FALSE(form.sound().opened());
    EXPECT_EQ(stored("SoundMode"), "2");
}

TEST_F(FormTest, AGameTickRepaintsAFewCellsNotTheWindow) {
    writeStore("FullscreenMode=0\n");
    TForm1 form;
    Surface& s = form.surface();
    // the small skin has no figures: give every grid figure a cell of 20 x 14 on the body
    QImage dot(18, 12, QImage::Format_ARGB32);
    dot.fill(Qt::black);
    for (int col = 2; col <= 9; ++col)
        for (int row = 1; row <= 7; ++row) {
            std::vector<ImageId> figures{img::im_ghost(col, row)};
            if (!img::isHouse(col, row)) {
                figures.push_back(img::im_nibbo(col, row));
                figures.push_back(img::im_pill(col, row));
            }
            for (ImageId id : figures) {
                s.setPicture(id, dot);
                s.setImageLeft(id, 20 + (col - 2) * 20);
                s.setImageTop(id, 20 + (7 - row) * 14);
                s.setImageWidth(id, 18);
                s.setImageHeight(id, 12);
            }
        }
    form.game().Gam_Set_Mode(Mode_Select_1);
    form.game().Gam_Set_Mode(Mode_Play_1);
    s.flushChanges();
    EXPECT_GT(s.lastFlushRegion().rectCount(), 40);  // the board lit up at the start
    QTest::keyPress(&form, Qt::Key_Left);
    qint64 largest = 0, total = 0;
    for (int tick = 0; tick < 12; ++tick) {
        form.game().onTimer(TimerId::Game);
        s.flushChanges();
        qint64 area = 0;
        for (const QRect& r : s.lastFlushRegion()) area += static_cast<qint64>(r.width()) * r.height();
        largest = std::max(largest, area);
        total += area;
    }
    EXPECT_GT(total, 0);              // Nibbo and the ghosts moved
    EXPECT_LE(largest, 6 * 18 * 12);  // a handful of cells at most
}

TEST_F(FormTest, SoundStartsOnTheChosenDriverAndTheCloseShutsItDown) {
    writeStore("");
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QFile::exists(QStringLiteral(ZN_GAME_DIR "/Sound/Bonus.wav")))
        << "build the game folder first";
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(ZN_GAME_DIR)));  // its Sound folder
    {
        TForm1 form;
        EXPECT_TRUE(form.startSound(QStringLiteral("ALSA")));
        EXPECT_TRUE(form.game().Snd_Enabled);
        EXPECT_EQ(stored("SoundMode"), "1");
        EXPECT_EQ(form.sound().output(), &kSoundOutputs[1]);
        EXPECT_TRUE(form.sound().opened());
        form.show();
        form.close();  // FormClose: the sound shutdown
        EXPECT_FALSE(form.sound().opened());
    }
    QDir::setCurrent(cwd);
}

TEST_F(FormTest, AMissingSoundFolderIsReportedAndResetsTheChoice) {
    writeStore("SoundMode=0\nSplashScreen=0\n");
    QTemporaryDir empty;
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(empty.path()));
    TForm1 form;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            box->close();
        }
    });
    EXPECT_FALSE(form.startSound(QStringLiteral("PulseAudio")));
    QDir::setCurrent(cwd);
    EXPECT_EQ(shown, "Sound folder unproperly installed. Please reinstall the game.");
    EXPECT_EQ(stored("SoundMode"), "-1");
    EXPECT_EQ(stored("SplashScreen"), "1");
}

// A controller plugged in before the start is found once the window is up, and works the
// device as the keys do while the window has the keyboard; releases always go through. The
// controller is one of SDL's virtual ones: it has no input of its own, nothing looks at it
// by the clock, and the test lets SDL look after each move.
TEST_F(FormTest, AControllerWorksTheDeviceWhileTheWindowHasTheKeyboard) {
    writeStore("SoundMode=2\n");
    test::SdlJoysticks joysticks;
    test::VirtualPad pad;
    TForm1 form;
    GamepadPump& pump = form.gamepads();
    EXPECT_FALSE(pump.pads().started());  // nothing of SDL's before the window shows
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pump.pads().connected() == 1; }));
    EXPECT_FALSE(pump.playTimerActive());
    EXPECT_EQ(pump.watchedNodes(), 0);
    const auto until = [](auto condition) { return QTest::qWaitFor(condition, 5000); };

    pad.button(SDL_CONTROLLER_BUTTON_GUIDE, true);
    pump.poll();
    EXPECT_TRUE(until([&] { return form.game().Gam_Mode == Mode_Power_On; }));
    EXPECT_EQ(form.surface().imageToolTip(img::btn_power_top), "click or press '1' to turn off the game");
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    pump.poll();
    EXPECT_TRUE(until([&] { return form.game().Inp_Joystick_Left; }));

    // A dialog in front: no press reaches the device, a release does.
    form.setEnabled(false);
    pad.button(SDL_CONTROLLER_BUTTON_BACK, true);
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pump.poll();
    EXPECT_TRUE(until([&] { return !form.game().Inp_Joystick_Left; }));
    EXPECT_EQ(pump.pads().holders(Control::Select), 1);  // seen, and not pressed:
    EXPECT_FALSE(form.surface().imageVisible(img::btn_select_down));
    pad.button(SDL_CONTROLLER_BUTTON_BACK, false);
    pump.poll();
    EXPECT_TRUE(until([&] { return pump.pads().holders(Control::Select) == 0; }));
    form.setEnabled(true);
    pad.button(SDL_CONTROLLER_BUTTON_BACK, true);
    pump.poll();
    EXPECT_TRUE(until([&] { return form.surface().imageVisible(img::btn_select_down); }));

    // Unplugged while held: let go of.
    pad.unplug();
    pump.poll();
    EXPECT_TRUE(until([&] { return !form.surface().imageVisible(img::btn_select_down); }));
    EXPECT_FALSE(pump.playTimerActive());
    EXPECT_EQ(pump.pads().connected(), 0);
}

// With no controller nothing runs; a new node in the watched device folder lets SDL look
// (a few times, for a node that becomes readable late) and finds the controller plugged in.
TEST(GamepadPumpTest, ANewDeviceNodeLetsSdlLookForControllers) {
    struct : InputOperations {
        std::string log;
        void press(Control c) override { log += "+" + std::to_string(static_cast<int>(c)); }
        void release(Control c) override { log += "-" + std::to_string(static_cast<int>(c)); }
    } ops;
    QTemporaryDir devices;
    test::SdlJoysticks joysticks;
    GamepadPump pump(
        ops, [] { return true; }, devices.path());
    pump.start();
    EXPECT_TRUE(pump.pads().started());
    EXPECT_FALSE(pump.playTimerActive());
    EXPECT_FALSE(pump.settling());

    test::VirtualPad pad;  // SDL knows it, the program does not look yet
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(pump.pads().connected(), 0);
    writeFile(devices.filePath(QStringLiteral("event7")), "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return pump.pads().connected() == 1; }, 5000));
    EXPECT_FALSE(pump.playTimerActive());  // virtual: moved by whoever calls poll()
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops.log == "+6"; }, 5000)) << ops.log;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pump.settling(); }, 5000));

    pad.unplug();
    pump.poll();
    EXPECT_EQ(pump.pads().connected(), 0);
    EXPECT_EQ(ops.log, "+6-6");
    pump.stop();
    EXPECT_FALSE(pump.pads().started());
}

// A controller is watched through its device node, here a FIFO that the test writes for the
// device: input there lets SDL look at once, with no clock running. A controller whose node
// SDL does not name or that cannot be opened is looked at every 8 ms, exactly while one is
// connected. An unplugged controller's node is closed; a node that ends leaves its
// controller to the 8 ms look.
TEST(GamepadPumpTest, ControllersWakeThePumpThroughTheirDeviceNodes) {
    test::Recorder ops;
    QTemporaryDir dir;
    const std::string fifoA = dir.filePath(QStringLiteral("event3")).toStdString();
    const std::string fifoB = dir.filePath(QStringLiteral("event4")).toStdString();
    ASSERT_EQ(::mkfifo(fifoA.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(fifoB.c_str(), 0600), 0);
    // The device's end of each node, open before the pump opens its own: a FIFO without a
    // writer reads as ended.
    const int deviceA = ::open(fifoA.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    const int deviceB = ::open(fifoB.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(deviceA, 0);
    ASSERT_GE(deviceB, 0);
    // How many of this process's files are open on the node (the device's end is one).
    const auto opened = [](const std::string& node) {
        int n = 0;
        for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            n += std::filesystem::read_symlink(fd.path(), error) == node;
        }
        return n;
    };
    test::SdlJoysticks joysticks;
    test::VirtualPad a, b, pathless, locked;
    const std::map<int, std::string> paths = {
        {a.id(), fifoA},
        {b.id(), fifoB},
        {pathless.id(), ""},
        {locked.id(), dir.filePath(QStringLiteral("event5")).toStdString()}};
    GamepadPump pump(
        ops, [] { return true; }, dir.filePath(QStringLiteral("no-such-folder")));
    pump.setDescribe([&](Gamepads::Controller& c) {
        c.path = paths.at(c.instanceId);
        c.isVirtual = false;
    });
    pump.start();
    ASSERT_EQ(pump.pads().connected(), 4);
    EXPECT_TRUE(pump.watching(a.id()));
    EXPECT_TRUE(pump.watching(b.id()));
    EXPECT_EQ(pump.watchedNodes(), 2);
    EXPECT_EQ(opened(fifoA), 2);
    EXPECT_TRUE(pump.playTimerActive());
    pathless.unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return pump.pads().connected() == 3; }, 5000));
    EXPECT_TRUE(pump.playTimerActive());  // for the one whose node cannot be opened
    locked.unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pump.playTimerActive(); }, 5000));
    EXPECT_EQ(pump.pads().connected(), 2);

    // Nothing looks until the node has input.
    a.button(SDL_CONTROLLER_BUTTON_START, true);
    QTest::qWait(50);
    EXPECT_EQ(ops.log, "");
    ASSERT_EQ(::write(deviceA, "p", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops.log == "+3"; }, 5000)) << ops.log;
    a.button(SDL_CONTROLLER_BUTTON_START, false);
    ASSERT_EQ(::write(deviceA, "r", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops.log == "+3-3"; }, 5000)) << ops.log;
    QTest::qWait(50);  // the rest after input is over: the nodes are watched again
    b.button(SDL_CONTROLLER_BUTTON_BACK, true);
    ASSERT_EQ(::write(deviceB, "p", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops.log == "+3-3+2"; }, 5000)) << ops.log;
    EXPECT_FALSE(pump.playTimerActive());

    // Unplugged: the node's last input lets SDL see it go, and the node is closed.
    b.unplug();
    ASSERT_EQ(::write(deviceB, "u", 1), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pump.pads().connected() == 1; }, 5000));
    EXPECT_EQ(ops.log, "+3-3+2-2");
    EXPECT_FALSE(pump.watching(b.id()));
    EXPECT_EQ(opened(fifoB), 1);
    ::close(deviceB);

    // A node that ends while its controller is still there: the controller is looked at
    // every 8 ms from then on.
    ::close(deviceA);
    EXPECT_TRUE(QTest::qWaitFor([&] { return pump.playTimerActive(); }, 5000));
    EXPECT_EQ(pump.watchedNodes(), 0);
    EXPECT_EQ(opened(fifoA), 0);
    a.button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ops.log == "+3-3+2-2+3"; }, 5000)) << ops.log;
    pump.stop();
    EXPECT_FALSE(pump.playTimerActive());
}

// The benchmarks' controller (ZN_VIRTUAL_GAMEPAD=1) is watched as a real one is, through a
// pipe that stays silent, and not looked at by the clock.
TEST(GamepadPumpTest, TheBenchmarksControllerIsWatchedLikeARealOne) {
    test::Recorder ops;
    test::SdlJoysticks joysticks;
    GamepadPump pump(
        ops, [] { return true; }, QStringLiteral("/no-such-folder"));
    qputenv("ZN_VIRTUAL_GAMEPAD", "1");
    pump.start();
    qunsetenv("ZN_VIRTUAL_GAMEPAD");
    ASSERT_EQ(pump.pads().connected(), 1);
    EXPECT_EQ(pump.watchedNodes(), 1);
    EXPECT_FALSE(pump.playTimerActive());
    QTest::qWait(50);
    EXPECT_EQ(ops.log, "");
    pump.stop();
    EXPECT_EQ(pump.watchedNodes(), 0);
    for (int i = SDL_NumJoysticks(); i-- > 0;)
        if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
}

}  // namespace
}  // namespace zn
