#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A zlib stream (RFC 1950) holding one deflate block with the fixed Huffman codes
// (RFC 1951), matches found by LZ77 over hash chains. Small, deterministic and
// plenty for flat artwork.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const std::vector<uint8_t>& data);
