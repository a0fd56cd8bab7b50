#include "firmware/Crc16.h"

uint16_t Crc16Arc(const uint8_t* data, size_t length)
{
    uint16_t crc = 0;
    if (data == nullptr) return crc;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}
