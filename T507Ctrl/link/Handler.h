#pragma once

#include "link/Message.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class CommInter;

// Base of the request handlers: executes messages and keeps retired ones for reuse.
class Handler {
public:
    virtual ~Handler() = default;

    // Executes one message (allocated by NewMessage) and retires it.
    virtual int32_t Process(Message* message) = 0;
    // A cleared message, to be handed to Process.
    virtual Message* NewMessage() = 0;

protected:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Message>> pool_;
};

// Executes messages on its transport and tells an optional notification target about
// messages that own their data.
class BoHandler : public Handler {
public:
    static constexpr size_t kPoolLimit = 20;
    using Notification = std::function<void(int32_t result, Message* message)>;

    int32_t Process(Message* message) override;
    Message* NewMessage() override;

    void SetTransport(CommInter* transport) { handlerTransport_ = transport; }
    void SetNotification(Notification notification) { notification_ = std::move(notification); }
    size_t PooledCount();

private:
    CommInter* handlerTransport_ = nullptr;
    Notification notification_;
};
