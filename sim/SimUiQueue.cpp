#include "sim/SimUiQueue.h"

void SimUiQueue::Send(const std::function<void()>& work)
{
    if (std::this_thread::get_id() == owner_) {
        work();
        return;
    }
    Item item{work};
    std::unique_lock<std::mutex> lock(mutex_);
    queue_.push_back(&item);
    changed_.notify_all();
    changed_.wait(lock, [&item] { return item.done; });
}

void SimUiQueue::PumpUntil(const std::function<bool()>& done)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return !queue_.empty() || done(); });
        if (queue_.empty()) return;
        Item* item = queue_.front();
        queue_.pop_front();
        lock.unlock();
        item->work();
        lock.lock();
        if (item->posted) {
            delete item;
            continue;
        }
        item->done = true;
        changed_.notify_all();
    }
}

void SimUiQueue::Post(std::function<void()> work)
{
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(new Item{std::move(work), false, true});
    changed_.notify_all();
}

void SimUiQueue::Wake()
{
    std::lock_guard<std::mutex> lock(mutex_);
    changed_.notify_all();
}

namespace {

class SimTaskThread final : public TaskThread {
public:
    SimTaskThread(SimUiQueue& queue, std::function<void()> body)
        : queue_(queue), thread_([this, body = std::move(body)] {
              body();
              ended_.store(true);
              queue_.Wake();
          })
    {
    }
    ~SimTaskThread() override { thread_.join(); }

    bool WaitDispatching() override
    {
        queue_.PumpUntil([this] { return ended_.load(); });
        return true;
    }

private:
    SimUiQueue& queue_;
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

}  // namespace

std::unique_ptr<TaskThread> SimTaskThreads::StartAboveNormal(std::function<void()> body)
{
    if (failNext_.exchange(false)) return nullptr;
    ++started_;
    return std::make_unique<SimTaskThread>(queue_, std::move(body));
}
