#include "shell/gamepadpump.h"

#include <QFileInfo>

#include "display/gamefolder.h"

namespace zn {

GamepadPump::GamepadPump(InputOperations& ops, std::function<bool()> pressesAllowed, QString deviceFolder)
    : pads_(ops), pressesAllowed_(std::move(pressesAllowed)), deviceFolder_(std::move(deviceFolder)) {
    playTimer_.setTimerType(Qt::PreciseTimer);
    playTimer_.setInterval(kPlayIntervalMs);
    connect(&playTimer_, &QTimer::timeout, this, &GamepadPump::poll);
    settleTimer_.setInterval(kSettleIntervalMs);
    connect(&settleTimer_, &QTimer::timeout, this, [this] {
        if (--settleLooksLeft_ <= 0) settleTimer_.stop();
        poll();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &GamepadPump::devicesChanged);
}

void GamepadPump::start() {
    if (started_) return;
    started_ = true;
    const QString mappings = userConfigFolder() + QStringLiteral("/gamecontrollerdb.txt");
    if (!pads_.start(QFile::encodeName(mappings).toStdString())) return;  // no controllers, then
    // For measurements: a controller connected without the hardware.
    if (qEnvironmentVariableIntValue("ZN_VIRTUAL_GAMEPAD") != 0) Gamepads::attachVirtual();
    if (QFileInfo(deviceFolder_).isDir()) watcher_.addPath(deviceFolder_);
    poll();
}

void GamepadPump::stop() {
    playTimer_.stop();
    settleTimer_.stop();
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    pads_.stop();
}

void GamepadPump::poll() {
    pads_.poll(pressesAllowed_());
    if (pads_.connected() > 0) {
        if (!playTimer_.isActive()) playTimer_.start();
    } else {
        playTimer_.stop();
    }
}

void GamepadPump::devicesChanged() {
    poll();
    settleLooksLeft_ = kSettleLooks;
    settleTimer_.start();
}

}  // namespace zn
