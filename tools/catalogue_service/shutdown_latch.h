#pragma once
// A one-way gate that request threads wait on and that opens once, when the
// service shuts down, so that a delayed or hanging answer never holds up
// the exit.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace ce::service {

class ShutdownLatch {
public:
    // Opens the gate and wakes every waiter; later waits return at once.
    void release()
    {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

    // Waits until the gate opens or `timeout` has passed; true when open.
    bool waitFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return released_; });
    }

    // Waits until the gate opens.
    void wait()
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return released_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool released_ = false;
};

}  // namespace ce::service
