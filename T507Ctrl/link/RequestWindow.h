#pragma once

#include <cstdint>

class Message;

// Executes one message on its transport; installed in a request window by the link.
using RequestExecutor = int32_t (*)(Message*);

// The window side of a controller request. Every exchange with the controller runs on
// the thread of the window that currently acts as request window: SendRequest hands
// the message to that thread and waits for the result, which HandleRequest produces
// there. BoBaseDialog implements SendRequest with a blocking window message; tests
// use a direct call or a hop to a thread of their own.
class RequestWindow {
public:
    virtual ~RequestWindow() = default;

    void SetRequestExecutor(RequestExecutor executor) { executor_ = executor; }
    RequestExecutor GetRequestExecutor() const { return executor_; }

    // Delivers the message to the window's thread and returns its result; 0 when
    // there is no window to deliver to.
    virtual int32_t SendRequest(Message* message) = 0;

    // Runs on the window's thread. Without an executor nothing runs and nothing is
    // reported to the hook.
    int32_t HandleRequest(Message* message)
    {
        if (executor_ == nullptr) return 0;
        const int32_t result = executor_(message);
        OnRequestDone(result, message);
        return result;
    }

protected:
    // Told the result of every executed message (the request trace lives here).
    virtual void OnRequestDone(int32_t result, Message* message) = 0;

private:
    RequestExecutor executor_ = nullptr;
};
