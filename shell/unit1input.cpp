// The main window's input: keys, the mouse on the device's images, the wheel, the device's
// controls reaching the game (or a recording), the game menu by keyboard, the game's speed
// (F6, F7) and what the figures mean told to assistive technology (F8).
#include <QKeyEvent>
#include <QToolTip>
#include <QWheelEvent>

#include "shell/replayhost.h"
#include "shell/unit1.h"

namespace zn {
namespace {

bool isDragImage(ImageId id) {
    return id == img::im_backdrop || id == img::im_background || id == img::im_background_screen ||
           id == img::im_background_screen_top || id == img::btn_joystick_top;
}

}  // namespace

int TForm1::zoomStepOf(const QKeyEvent& e) {
    if (!e.modifiers().testFlag(Qt::ControlModifier)) return 0;
    switch (e.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return 1;
        case Qt::Key_Minus:
            return -1;
        default:
            return 0;
    }
}

void TForm1::wheelEvent(QWheelEvent* e) {
    if (!e->modifiers().testFlag(Qt::ControlModifier)) {
        wheelTurn_ = 0;
        e->ignore();
        return;
    }
    e->accept();
    wheelTurn_ += e->angleDelta().y();
    for (; wheelTurn_ >= 120; wheelTurn_ -= 120) zoomBy(1);
    for (; wheelTurn_ <= -120; wheelTurn_ += 120) zoomBy(-1);
}

void TForm1::pressDevice(Control c) {
    pressOnGame(*game_, c);
    if (c == Control::Power) Inp_Build_Hints();  // the power tooltip now offers the opposite action
    narrate();
}

void TForm1::press(Control c) {
    if (replay_)
        replay_->input(c, true);
    else
        pressDevice(c);
}

void TForm1::release(Control c) {
    if (replay_)
        replay_->input(c, false);
    else
        releaseOnGame(*game_, c);
    narrate();
}

void TForm1::narrate() {
    const auto said = narrator_.observe(NarratedState::of(*game_), narrationClock_.elapsed());
    for (const Utterance& u : said) speak(u.text);
}

// The words become the window's accessible description, which assistive technology hears
// as a change of it; the same words again are told again. A screen reader reads the
// description when it hears of the change, so words said together (a game chosen and started
// by one recorded moment) go one at a time, kSpeakGapMs apart, each read before the next.
void TForm1::speak(const std::string& words) {
    unsaid_.push_back(QString::fromStdString(words));
    if (!speaking_.isActive()) sayNext();
}

void TForm1::sayNext() {
    if (unsaid_.empty()) return;
    const QString text = unsaid_.front();
    unsaid_.pop_front();
    if (accessibleDescription() == text) setAccessibleDescription(QString());
    setAccessibleDescription(text);
    speaking_.start(kSpeakGapMs);  // the gap before whatever comes next
}

void TForm1::setSpeedForThisRun(int percent) {
    if (replay_ && replay_->playsRecording()) return;
    speed_ = speedPercentFrom(percent);
    applySpeed();
}

void TForm1::applySpeed() {
    if (replay_ && replay_->playsRecording()) {
        speed_ = replay_->speed();
        return;
    }
    timers_.setSpeed(speed_);
    if (replay_) replay_->setSpeed(speed_);
}

void TForm1::stepSpeed(bool faster) {
    const int next = faster ? fasterSpeed(speed_) : slowerSpeed(speed_);
    speed_ = next;
    timers_.setSpeed(speed_);
    if (replay_) replay_->setSpeed(speed_);
    settings_->write(Setting::Speed, speed_);
    const std::string words = Narrator::speedWords(speed_);
    speak(words);
    QToolTip::showText(mapToGlobal(rect().center()), QString::fromStdString(words), this, {}, 2000);
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    // None of these is a key of the key table: the game never sees them.
    if (const int step = zoomStepOf(*e)) {
        zoomBy(step);
        return;
    }
    if ((e->key() == Qt::Key_F6 || e->key() == Qt::Key_F7) && !e->isAutoRepeat()) {
        stepSpeed(e->key() == Qt::Key_F7);
        return;
    }
    if (e->key() == Qt::Key_F8 && !e->isAutoRepeat()) {
        speak(Narrator::describe(NarratedState::of(*game_)));
        return;
    }
    KeyDispatch::keyDown(Inp_Keys, virtualKeyCode(*e), *this);
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
    KeyDispatch::keyUp(Inp_Keys, virtualKeyCode(*e), e->isAutoRepeat(), *this);
}

void TForm1::imagePressed(ImageId id, Qt::MouseButton button, QPoint local) {
    if (isDragImage(id))
        im_backgroundMouseDown(button, local.x(), local.y());
    else
        KeyDispatch::mouseDown(id, button, *this);
}

void TForm1::imageReleased(ImageId id, Qt::MouseButton button, QPoint) {
    KeyDispatch::mouseUp(id, button, *this);
}

void TForm1::imageMoved(ImageId id, Qt::MouseButtons buttons, QPoint local) {
    if (isDragImage(id)) im_backgroundMouseMove(buttons, local.x(), local.y());
}

void TForm1::imageClicked(ImageId id) {
    if (id == img::btn_game_menu_top) gameMenu_->btn_game_menu_topClick();
}

void TForm1::im_backgroundMouseDown(Qt::MouseButton button, int x, int y) {
    if (Vid_Fullscreen || button != Qt::LeftButton) return;
    Vid_Drag_X = x;
    Vid_Drag_Y = y;
}

void TForm1::im_backgroundMouseMove(Qt::MouseButtons buttons, int x, int y) {
    if (Vid_Fullscreen || !(buttons & Qt::LeftButton)) return;
    move(pos().x() + x - Vid_Drag_X, pos().y() + y - Vid_Drag_Y);
}

void TForm1::contextMenuEvent(QContextMenuEvent* e) { popup_->popup(e->globalPos()); }

bool TForm1::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) FormActivate();
    // In full screen Tab, Shift+Tab and Enter work the game menu: none of them is a key of
    // the key table. Tab reaches event() before keyPressEvent, which Qt would spend on focus.
    if (e->type() == QEvent::KeyPress && Vid_Fullscreen) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            const bool back = key == Qt::Key_Backtab || (static_cast<QKeyEvent*>(e)->modifiers() & Qt::ShiftModifier);
            gameMenu_->focusStep(!back);
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !static_cast<QKeyEvent*>(e)->isAutoRepeat() &&
            gameMenu_->choose())
            return true;
    }
    // The controllers start once the window is up, so that they cost the start nothing.
    if (e->type() == QEvent::Show) QTimer::singleShot(0, gamepads_.get(), &GamepadPump::start);
    return QWidget::event(e);
}

}  // namespace zn
