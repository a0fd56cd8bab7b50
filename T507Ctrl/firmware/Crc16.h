#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/ARC: polynomial 0x8005 processed bit-reversed (0xA001), initial value 0, no
// final XOR. Firmware blocks carry it high byte first after their data.
uint16_t Crc16Arc(const uint8_t* data, size_t length);
