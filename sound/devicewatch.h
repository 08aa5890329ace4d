#pragma once
// Brings a lost sound device back without anybody waiting for it. A thread of its own
// sleeps until lost() is called, then runs the reopen attempt at once and again every
// retry interval until one succeeds; then it sleeps again. The game's thread only ever
// signals (lost() takes a short lock and returns), so a sound server that is gone, slow
// or stuck never holds the game up. Plain C++: the attempt is whatever the owner gives.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zn {

class DeviceWatch {
public:
    // reopen runs on the watch's thread only; true when the device is back.
    DeviceWatch(std::function<bool()> reopen, std::chrono::milliseconds retryInterval);
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;
    ~DeviceWatch();

    // The device was lost. Callable from any thread, the audio library's own included. A
    // loss reported while an attempt runs is answered by one more attempt after it, since
    // the device that attempt opens may be the one lost.
    void lost();
    // Ends the thread: an attempt that is running finishes first, none starts after.
    void stop();

    // True from a loss until an attempt has succeeded.
    bool recovering() const;
    // Attempts made so far, failed or not.
    int attempts() const;

private:
    void run();

    const std::function<bool()> reopen_;
    const std::chrono::milliseconds retry_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    // Losses reported, and how many of them a successful attempt has answered.
    int losses_ = 0;
    int answered_ = 0;
    bool stopping_ = false;
    int attempts_ = 0;
    std::thread thread_;
};

}  // namespace zn
