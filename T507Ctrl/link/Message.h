#pragma once

#include <cstdint>

class CommInter;

// The unit of work handed to the request window: a frame to send, or a buffer to fill,
// with the transport that executes it.
class Message {
public:
    enum Direction : int32_t { kNotSet = -1, kRead = 1, kWrite = 2 };

    Message() = default;
    ~Message();
    Message(const Message&) = delete;
    Message& operator=(const Message&) = delete;

    // Back to "not set up"; frees the data when the message owns it.
    void Clear();

    // Fills every field. With copy set, the message keeps a private copy of the bytes.
    void Set(int32_t direction, uint8_t* data, int32_t length, CommInter* transport, bool copy);

    int32_t GetDirection() const { return direction_; }
    uint8_t* Data() const { return data_; }
    int32_t Length() const { return length_; }
    bool OwnsData() const { return ownsData_ != 0; }
    CommInter* Transport() const { return transport_; }

private:
    int32_t direction_ = kNotSet;
    uint8_t* data_ = nullptr;
    int32_t length_ = 0;
    int32_t ownsData_ = 0;
    CommInter* transport_ = nullptr;
};
