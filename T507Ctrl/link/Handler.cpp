#include "link/Handler.h"

#include "link/ControllerLink.h"

int32_t BoHandler::Process(Message* message)
{
    if (message == nullptr) return 0;
    CommInter* transport = handlerTransport_ != nullptr ? handlerTransport_ : message->Transport();
    const int32_t result = ExecuteMessageOn(transport, message);
    if (notification_ && message->OwnsData()) notification_(result, message);

    message->Clear();   // frees owned data
    std::lock_guard<std::mutex> lock(mutex_);
    if (pool_.size() < kPoolLimit) pool_.emplace_back(message);
    else delete message;
    return result;
}

Message* BoHandler::NewMessage()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (pool_.empty()) return new Message();
    Message* message = pool_.back().release();
    pool_.pop_back();
    return message;
}

size_t BoHandler::PooledCount()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return pool_.size();
}
