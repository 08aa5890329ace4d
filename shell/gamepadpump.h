#pragma once
// Runs the game controllers from the event loop. With none connected nothing wakes the
// program: a watch on /dev/input notices a device node coming or going and lets SDL look
// (a few times over the next second, since the node may become readable only later),
// and there is one look at the start. While a controller is connected, SDL is read every
// 8 ms, so a press reaches the game within 10 ms.
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>

#include "gamepad/gamepads.h"

namespace zn {

class GamepadPump : public QObject {
public:
    static constexpr int kPlayIntervalMs = 8;
    // Looks after a change of /dev/input: this many, this far apart.
    static constexpr int kSettleLooks = 5;
    static constexpr int kSettleIntervalMs = 200;

    // Presses reach ops only while pressesAllowed() says so; releases always do. The
    // device nodes are watched in deviceFolder.
    GamepadPump(InputOperations& ops, std::function<bool()> pressesAllowed,
                QString deviceFolder = QStringLiteral("/dev/input"));

    // Starts SDL's game-controller subsystem with the user's gamecontrollerdb.txt, watches
    // /dev/input and takes the first look. Once; later calls do nothing. ZN_VIRTUAL_GAMEPAD=1
    // in the environment connects one of SDL's virtual controllers first (for benchmarks).
    void start();
    // Releases what the controllers hold and stops looking.
    void stop();

    // One look now: the play timer runs from here on exactly while a controller is connected.
    void poll();

    Gamepads& pads() { return pads_; }
    bool playTimerActive() const { return playTimer_.isActive(); }
    bool settling() const { return settleTimer_.isActive(); }

private:
    void devicesChanged();

    Gamepads pads_;
    std::function<bool()> pressesAllowed_;
    QTimer playTimer_;
    QTimer settleTimer_;
    int settleLooksLeft_ = 0;
    QFileSystemWatcher watcher_;
    QString deviceFolder_;
    bool started_ = false;
};

}  // namespace zn
