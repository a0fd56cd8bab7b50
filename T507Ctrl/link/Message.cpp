#include "link/Message.h"

#include <cstring>

Message::~Message()
{
    Clear();
}

void Message::Clear()
{
    if (ownsData_ != 0) delete[] data_;
    direction_ = kNotSet;
    data_ = nullptr;
    length_ = 0;
    ownsData_ = 0;
    transport_ = nullptr;
}

void Message::Set(int32_t direction, uint8_t* data, int32_t length, CommInter* transport, bool copy)
{
    Clear();
    direction_ = direction;
    length_ = length;
    transport_ = transport;
    if (copy && data != nullptr && length > 0) {
        data_ = new uint8_t[static_cast<size_t>(length)];
        std::memcpy(data_, data, static_cast<size_t>(length));
        ownsData_ = 1;
    } else {
        data_ = copy ? nullptr : data;
    }
}
