#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A zlib stream (RFC 1950) holding one deflate block (RFC 1951) with Huffman codes
// made for the data, over LZ77 matches found on hash chains with a one-byte lazy
// step. Small, deterministic, and close to zlib's default level on flat artwork.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const std::vector<uint8_t>& data);
