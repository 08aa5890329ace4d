#include "shell/gamepadpump.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "display/gamefolder.h"

namespace zn {

GamepadPump::GamepadPump(InputOperations& ops, std::function<bool()> pressesAllowed, QString deviceFolder)
    : pads_(ops), pressesAllowed_(std::move(pressesAllowed)), deviceFolder_(std::move(deviceFolder)) {
    playTimer_.setTimerType(Qt::PreciseTimer);
    playTimer_.setInterval(kPlayIntervalMs);
    connect(&playTimer_, &QTimer::timeout, this, &GamepadPump::poll);
    quietTimer_.setTimerType(Qt::PreciseTimer);
    quietTimer_.setInterval(kPlayIntervalMs);
    quietTimer_.setSingleShot(true);
    connect(&quietTimer_, &QTimer::timeout, this, &GamepadPump::quietEnded);
    settleTimer_.setInterval(kSettleIntervalMs);
    connect(&settleTimer_, &QTimer::timeout, this, [this] {
        if (--settleLooksLeft_ <= 0) settleTimer_.stop();
        poll();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &GamepadPump::devicesChanged);
}

GamepadPump::~GamepadPump() {
    for (Watch& w : watches_) {
        w.notifier.reset();
        ::close(w.fd);
        if (w.standInWriter >= 0) ::close(w.standInWriter);
    }
}

void GamepadPump::start() {
    if (started_) return;
    started_ = true;
    const QString mappings = userConfigFolder() + QStringLiteral("/gamecontrollerdb.txt");
    if (!pads_.start(QFile::encodeName(mappings).toStdString())) return;  // no controllers, then
    // For measurements: a controller connected without the hardware.
    if (qEnvironmentVariableIntValue("ZN_VIRTUAL_GAMEPAD") != 0 && Gamepads::attachVirtual() >= 0)
        standIn_ = true;
    if (QFileInfo(deviceFolder_).isDir()) watcher_.addPath(deviceFolder_);
    poll();
}

void GamepadPump::stop() {
    playTimer_.stop();
    quietTimer_.stop();
    settleTimer_.stop();
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    while (!watches_.empty()) removeWatch(watches_.size() - 1);
    unwatchable_.clear();
    needsPlayTimer_ = false;
    pads_.stop();
}

void GamepadPump::poll() {
    if (pads_.poll(pressesAllowed_())) reconcile();
    if (needsPlayTimer_) {
        if (!playTimer_.isActive()) playTimer_.start();
    } else {
        playTimer_.stop();
    }
}

bool GamepadPump::watching(int instanceId) const {
    return std::any_of(watches_.begin(), watches_.end(), [&](const Watch& w) { return w.id == instanceId; });
}

void GamepadPump::reconcile() {
    std::vector<Gamepads::Controller> list = pads_.controllers();
    if (describe_)
        for (Gamepads::Controller& c : list) describe_(c);
    const auto connected = [&](int id) {
        return std::any_of(list.begin(), list.end(),
                           [&](const Gamepads::Controller& c) { return c.instanceId == id; });
    };
    for (std::size_t i = watches_.size(); i-- > 0;)
        if (!connected(watches_[i].id)) removeWatch(i);
    std::erase_if(unwatchable_, [&](int id) { return !connected(id); });

    needsPlayTimer_ = false;
    for (const Gamepads::Controller& c : list) {
        if (watching(c.instanceId)) continue;
        if (c.isVirtual) {
            // Moved by whoever calls poll(); the benchmark's controller is watched as if
            // it were real, through a pipe that stays silent.
            int ends[2];
            if (standIn_ && ::pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0)
                addWatch(c.instanceId, ends[0], ends[1]);
            continue;
        }
        // A path that is no file name (HIDAPI over libusb names the USB port) is not opened.
        const int fd = unwatchable_.count(c.instanceId) != 0 || c.path.empty() || c.path[0] != '/'
                           ? -1
                           : ::open(c.path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            addWatch(c.instanceId, fd, -1);
        } else {
            unwatchable_.insert(c.instanceId);
            needsPlayTimer_ = true;
        }
    }
}

void GamepadPump::addWatch(int id, int fd, int standInWriter) {
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, fd] { nodeReadable(fd); });
    // While the nodes rest after input, a new one rests too.
    notifier->setEnabled(!quietTimer_.isActive());
    watches_.push_back({id, fd, standInWriter, std::move(notifier)});
}

void GamepadPump::removeWatch(std::size_t index) {
    Watch& w = watches_[index];
    // It may be the notifier that is being heard right now.
    w.notifier->setEnabled(false);
    w.notifier.release()->deleteLater();
    ::close(w.fd);
    if (w.standInWriter >= 0) ::close(w.standInWriter);
    watches_.erase(watches_.begin() + static_cast<std::ptrdiff_t>(index));
}

void GamepadPump::setWatching(bool on) {
    for (Watch& w : watches_) w.notifier->setEnabled(on);
}

GamepadPump::Drained GamepadPump::drain(int fd) {
    char buffer[4096];
    bool input = false;
    // A device that sends faster than this is read is left for the next time.
    for (int reads = 0; reads < 64; ++reads) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            input = true;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return input ? Drained::Input : Drained::Nothing;
        } else {
            return Drained::Failed;  // the end (the device went), or an error such as ENODEV
        }
    }
    return Drained::Input;
}

void GamepadPump::nodeFailed(int id) {
    for (std::size_t i = 0; i < watches_.size(); ++i)
        if (watches_[i].id == id) removeWatch(i--);
    // Until SDL lets go of the controller too, it is looked at every 8 ms.
    unwatchable_.insert(id);
    needsPlayTimer_ = true;
}

void GamepadPump::nodeReadable(int fd) {
    const auto w =
        std::find_if(watches_.begin(), watches_.end(), [fd](const Watch& x) { return x.fd == fd; });
    if (w == watches_.end()) return;
    if (drain(fd) == Drained::Failed) {
        nodeFailed(w->id);
        poll();
        return;
    }
    setWatching(false);
    quietTimer_.start();
    poll();
}

void GamepadPump::quietEnded() {
    bool input = false;
    std::vector<int> gone;
    for (const Watch& w : watches_) {
        switch (drain(w.fd)) {
            case Drained::Input:
                input = true;
                break;
            case Drained::Failed:
                gone.push_back(w.id);
                break;
            case Drained::Nothing:
                break;
        }
    }
    for (int id : gone) nodeFailed(id);
    if (input) {
        quietTimer_.start();  // still sending: the next look in 8 ms, the nodes still resting
    } else {
        setWatching(true);
    }
    if (input || !gone.empty()) poll();
}

void GamepadPump::devicesChanged() {
    poll();
    settleLooksLeft_ = kSettleLooks;
    settleTimer_.start();
}

}  // namespace zn
