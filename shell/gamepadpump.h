#pragma once
// Runs the game controllers from the event loop. With none connected nothing wakes the
// program: a watch on /dev/input notices a device node coming or going and lets SDL look
// (a few times over the next second, since the node may become readable only later),
// and there is one look at the start.
//
// A connected controller wakes the program with its own input, never with a clock: the
// pump opens the controller's device node (SDL names it: /dev/input/eventN, /dev/hidrawN)
// once more, read-only (evdev and hidraw give every open file its own copy of the input),
// and watches it. When input comes, the pump reads and drops its copy and lets SDL read
// its own, so a press reaches the game at once. For the next 8 ms the nodes are not
// watched; then they are read: input there means the device keeps sending (some report
// their state hundreds of times a second, touched or not), and it is looked at every 8 ms
// for as long as it does; none, and the watching starts again. An idle controller costs
// nothing, a busy one no more than a look every 8 ms, and a press arrives within 8 ms.
// A node that ends or fails (unplugged) is closed and SDL looks at once.
//
// A controller whose node SDL does not name or that cannot be opened (permissions) is
// looked at every 8 ms instead, for as long as it is connected. One of SDL's virtual
// controllers has no input of its own: whoever moves it calls poll(). The exception is the
// one that ZN_VIRTUAL_GAMEPAD=1 connects at the start for the benchmarks: it is watched as
// a real controller is, through a pipe that nobody writes, so that the benchmark of play
// with a controller connected measures the idle cost of the watching.
#include <QFileSystemWatcher>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <vector>

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
    ~GamepadPump() override;

    // Starts SDL's game-controller subsystem with the user's gamecontrollerdb.txt, watches
    // /dev/input and takes the first look. Once; later calls do nothing. ZN_VIRTUAL_GAMEPAD=1
    // in the environment connects one of SDL's virtual controllers first (for benchmarks).
    void start();
    // Releases what the controllers hold, closes the nodes and stops looking.
    void stop();

    // One look now; afterwards the nodes of the controllers connected are watched, and the
    // 8 ms look runs exactly while a controller is connected whose node cannot be.
    void poll();

    // For tests: rewrites what the pump takes each connected controller for, so that one of
    // SDL's virtual controllers can stand for a device with a node (a FIFO) or without.
    void setDescribe(std::function<void(Gamepads::Controller&)> describe) { describe_ = std::move(describe); }

    Gamepads& pads() { return pads_; }
    bool playTimerActive() const { return playTimer_.isActive(); }
    bool settling() const { return settleTimer_.isActive(); }
    // Whether the device node of this controller is open and watched.
    bool watching(int instanceId) const;
    int watchedNodes() const { return static_cast<int>(watches_.size()); }

private:
    struct Watch {
        int id;
        int fd;
        int standInWriter;  // the pipe's other end for the benchmark's controller, else -1
        std::unique_ptr<QSocketNotifier> notifier;
    };
    enum class Drained { Nothing, Input, Failed };

    void devicesChanged();
    // Opens and closes nodes after controllers came or went; decides the 8 ms look.
    void reconcile();
    void addWatch(int id, int fd, int standInWriter);
    void removeWatch(std::size_t index);
    void nodeReadable(int fd);
    void quietEnded();
    // Reads everything there is on the node now.
    static Drained drain(int fd);
    void nodeFailed(int id);
    void setWatching(bool on);

    Gamepads pads_;
    std::function<bool()> pressesAllowed_;
    std::function<void(Gamepads::Controller&)> describe_;
    QTimer playTimer_;   // every 8 ms while a controller has no watched node
    QTimer quietTimer_;  // once, 8 ms after input on a node
    QTimer settleTimer_;
    int settleLooksLeft_ = 0;
    QFileSystemWatcher watcher_;
    QString deviceFolder_;
    std::vector<Watch> watches_;
    std::set<int> unwatchable_;  // connected controllers whose node is unknown or failed
    bool needsPlayTimer_ = false;
    bool standIn_ = false;  // ZN_VIRTUAL_GAMEPAD: virtual controllers watched through a pipe
    bool started_ = false;
};

}  // namespace zn
