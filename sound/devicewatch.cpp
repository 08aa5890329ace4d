#include "sound/devicewatch.h"

#include <utility>

namespace zn {

DeviceWatch::DeviceWatch(std::function<bool()> reopen, std::chrono::milliseconds retryInterval)
    : reopen_(std::move(reopen)), retry_(retryInterval), thread_([this] { run(); }) {}

DeviceWatch::~DeviceWatch() { stop(); }

void DeviceWatch::lost() {
    {
        const std::lock_guard lock(mutex_);
        ++losses_;
    }
    wake_.notify_one();
}

void DeviceWatch::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

bool DeviceWatch::recovering() const {
    const std::lock_guard lock(mutex_);
    return losses_ != answered_;
}

int DeviceWatch::attempts() const {
    const std::lock_guard lock(mutex_);
    return attempts_;
}

void DeviceWatch::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return losses_ != answered_ || stopping_; });
        if (stopping_) return;
        const int answering = losses_;
        ++attempts_;
        // The attempt runs unlocked: a loss reported meanwhile, or stop(), must not wait for it.
        lock.unlock();
        const bool back = reopen_();
        lock.lock();
        if (back) {
            answered_ = answering;
            continue;
        }
        // Until the next attempt; stop() cuts the wait short.
        wake_.wait_for(lock, retry_, [this] { return stopping_; });
    }
}

}  // namespace zn
